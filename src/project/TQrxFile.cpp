// Reading and writing the project file.
#include "TQrx.h"

#include "Languages.h"
#include "PageFiles.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "TIniFile.h"
#include "TIniWriter.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <variant>
#include <vector>

namespace {

const QString GeneralSection = QStringLiteral("GENERAL");
const QString ChmSection = QStringLiteral("CHMSetting");
const QString DocSection = QStringLiteral("DocSetting");
const QString TopicsSection = QStringLiteral("TOPICS");
const QString TopicsName = QStringLiteral("TitleList");
const QString KeywordSeparator = QStringLiteral("`\\");

// Larger files are no project files; refusing them keeps memory bounded.
constexpr qint64 MaxProjectFileSize = 256ll * 1024 * 1024;

// "GENERAL" keys in write order. A missing key reads as empty text, or as the
// value the model holds ("current").
enum class Missing { Empty, Current };
using GeneralField = std::variant<QString TQrx::*, bool TQrx::*, int TQrx::*>;
struct GeneralKey {
    const char16_t* name;
    GeneralField field;
    Missing missing;
};
// "Ver", "Title", "RootDir" and "Dictionary" come first and are handled on their own.
const GeneralKey GeneralKeys[] = {
    {u"DefaultTopic", &TQrx::DefaultTopic, Missing::Empty},
    {u"CompiledFile", &TQrx::CompiledFile, Missing::Current},
    {u"CustomTemplate", &TQrx::CustomTemplate, Missing::Empty},
    {u"DefaultTemplate", &TQrx::DefaultTemplate, Missing::Current},
    {u"Language", &TQrx::Language, Missing::Current},
    {u"Encoding", &TQrx::Encoding, Missing::Current},
    {u"DeleteProject", &TQrx::DeleteProject, Missing::Current},
    {u"ViewCompiledFile", &TQrx::ViewCompiledFile, Missing::Current},
    {u"HasChild", &TQrx::HasChild, Missing::Current},
    {u"NoChild", &TQrx::NoChild, Missing::Current},
    {u"HtmlHelpTemplate", &TQrx::HtmlHelpTemplate, Missing::Empty},
    {u"HtmlHelpTitle", &TQrx::HtmlHelpTitle, Missing::Empty},
    {u"HtmlHelpTitleSame", &TQrx::HtmlHelpTitleSame, Missing::Current},
    {u"HtmlHelpOutputEncoding", &TQrx::HtmlHelpOutputEncoding, Missing::Current},
    {u"WebHelpDefault", &TQrx::WebHelpDefault, Missing::Empty},
    {u"WebHelpOutputFolder", &TQrx::WebHelpOutputFolder, Missing::Empty},
    {u"WebHelpTemplate", &TQrx::WebHelpTemplate, Missing::Empty},
    {u"WebHelpTitle", &TQrx::WebHelpTitle, Missing::Empty},
    {u"WebHelpDefaultSame", &TQrx::WebHelpDefaultSame, Missing::Current},
    {u"WebHelpTemplateSame", &TQrx::WebHelpTemplateSame, Missing::Current},
    {u"WebHelpTilteSame", &TQrx::WebHelpTilteSame, Missing::Current},
    {u"WebHelpLanguage", &TQrx::WebHelpLanguage, Missing::Current},
    {u"StartFromRoot", &TQrx::StartFromRoot, Missing::Current},
    {u"AutoCollapse", &TQrx::AutoCollapse, Missing::Current},
    {u"DrawLines", &TQrx::DrawLines, Missing::Current},
    {u"SingleHtmlFilename", &TQrx::SingleHtmlFilename, Missing::Current},
    {u"SingleHtmlOutputFolder", &TQrx::SingleHtmlOutputFolder, Missing::Current},
    {u"SingleHtmlTitle", &TQrx::SingleHtmlTitle, Missing::Empty},
    {u"SingleHtmlHasToc", &TQrx::SingleHtmlHasToc, Missing::Current},
    {u"SingleHtmlSame", &TQrx::SingleHtmlSame, Missing::Current},
    {u"WordFileTitle", &TQrx::WordFileTitle, Missing::Current},
    {u"WordFileTitleSame", &TQrx::WordFileTitleSame, Missing::Current},
    {u"WordFile", &TQrx::WordFile, Missing::Current},
    {u"PDFfile", &TQrx::PDFfile, Missing::Current},
    {u"HeadProperties", &TQrx::HeadProperties, Missing::Current},
    {u"PageProperties", &TQrx::PageProperties, Missing::Current},
    {u"RealColorIcon", &TQrx::RealColorIcon, Missing::Current},
    {u"ShowIndex", &TQrx::ShowIndex, Missing::Current},
    {u"NavWidth", &TQrx::NavWidth, Missing::Current},
    {u"WebFontColor", &TQrx::WebFontColor, Missing::Current},
    {u"WebBackColor", &TQrx::WebBackColor, Missing::Current},
    {u"WebBackground", &TQrx::WebBackground, Missing::Current},
    {u"HHPFolder", &TQrx::HHPFolder, Missing::Empty},
};

// "CHMSetting" keys in write order with the fixed values a missing key reads as.
template <typename T>
struct ChmKey {
    const char16_t* name;
    T TCHMProject::*field;
    T missing;
};
const ChmKey<int> ChmIntegers[] = {
    {u"Top", &TCHMProject::Top, 50},
    {u"Left", &TCHMProject::Left, 50},
    {u"Height", &TCHMProject::Height, 500},
    {u"Width", &TCHMProject::Width, 700},
    {u"PaneWidth", &TCHMProject::PaneWidth, 270},
    {u"DefaultTab", &TCHMProject::DefaultTab, 0},
};
const ChmKey<bool> ChmBooleans[] = {
    {u"ShowMSDNMenu", &TCHMProject::ShowMSDNMenu, false},
    {u"ShowPanesToolbar", &TCHMProject::ShowPanesToolbar, true},
    {u"ShowPane", &TCHMProject::ShowPane, true},
    {u"HideToolbar", &TCHMProject::HideToolbar, false},
    {u"HideToolbarText", &TCHMProject::HideToolbarText, false},
    {u"StayOnTop", &TCHMProject::StayOnTop, false},
    {u"Maximize", &TCHMProject::Maximize, false},
    {u"Hide", &TCHMProject::Hide, true},
    {u"Locate", &TCHMProject::Locate, true},
    {u"Back", &TCHMProject::Back, true},
    {u"bForward", &TCHMProject::bForward, true},
    {u"Stop", &TCHMProject::Stop, true},
    {u"Refresh", &TCHMProject::Refresh, true},
    {u"Home", &TCHMProject::Home, true},
    {u"Print", &TCHMProject::Print, true},
    {u"Option", &TCHMProject::Option, true},
    {u"Jump1", &TCHMProject::Jump1, false},
    {u"Jump2", &TCHMProject::Jump2, false},
    {u"AutoShowHide", &TCHMProject::AutoShowHide, false},
    {u"AutoSync", &TCHMProject::AutoSync, true},
    {u"Content", &TCHMProject::Content, true},
    {u"Index", &TCHMProject::Index, true},
    {u"Search", &TCHMProject::Search, true},
    {u"Favorite", &TCHMProject::Favorite, true},
    {u"UseFolder", &TCHMProject::UseFolder, false},
    {u"AutoTrack", &TCHMProject::AutoTrack, false},
    {u"SelectRow", &TCHMProject::SelectRow, false},
    {u"PlusMinus", &TCHMProject::PlusMinus, true},
    {u"ShowSelection", &TCHMProject::ShowSelection, true},
    {u"ShowRoot", &TCHMProject::ShowRoot, true},
    {u"DrawLines", &TCHMProject::DrawLines, true},
    {u"AutoExpand", &TCHMProject::AutoExpand, false},
    {u"RightToLeft", &TCHMProject::RightToLeft, false},
    {u"LeftScroll", &TCHMProject::LeftScroll, false},
    {u"Border", &TCHMProject::Border, false},
    {u"DialogFrame", &TCHMProject::DialogFrame, false},
    {u"RaisedEdge", &TCHMProject::RaisedEdge, false},
    {u"SunkenEdge", &TCHMProject::SunkenEdge, false},
    {u"SavePosition", &TCHMProject::SavePosition, false},
};
const ChmKey<QString> ChmStrings[] = {
    {u"ContentsFont", &TCHMProject::ContentsFont, QStringLiteral(",8,0")},
    {u"IndexFont", &TCHMProject::IndexFont, QStringLiteral(",8,0")},
    {u"Title", &TCHMProject::Title, QString()},
    {u"Language", &TCHMProject::Language, QString()},
    {u"Font", &TCHMProject::Font, QString()},
    {u"DefaultTopic", &TCHMProject::DefaultTopic, QString()},
};

// "DocSetting" keys in write order; a missing key keeps the value held.
using DocField = std::variant<QString TDocPDFSettings::*, bool TDocPDFSettings::*, int TDocPDFSettings::*>;
struct DocKey {
    const char16_t* name;
    DocField field;
};
// "PaperSize" comes first and is handled on its own.
const DocKey DocKeys[] = {
    {u"Height", &TDocPDFSettings::Height},
    {u"Width", &TDocPDFSettings::Width},
    {u"Top", &TDocPDFSettings::Top},
    {u"Bottom", &TDocPDFSettings::Bottom},
    {u"Left", &TDocPDFSettings::Left},
    {u"Right", &TDocPDFSettings::Right},
    {u"Cover", &TDocPDFSettings::Cover},
    {u"Header", &TDocPDFSettings::Header},
    {u"Footer", &TDocPDFSettings::Footer},
    {u"Toc", &TDocPDFSettings::Toc},
    {u"XE", &TDocPDFSettings::XE},
    {u"ShowLevel", &TDocPDFSettings::ShowLevel},
    {u"TOCCaption", &TDocPDFSettings::TOCCaption},
    {u"TitleNumber", &TDocPDFSettings::TitleNumber},
    {u"AddHint", &TDocPDFSettings::AddHint},
    {u"HintFormat", &TDocPDFSettings::HintFormat},
    {u"StartNewPage", &TDocPDFSettings::StartNewPage},
    {u"Discard", &TDocPDFSettings::Discard},
    {u"Addenda", &TDocPDFSettings::Addenda},
    {u"Panes", &TDocPDFSettings::Panes},
    {u"Magnification", &TDocPDFSettings::Magnification},
    {u"PageLayout", &TDocPDFSettings::PageLayout},
};

// The file stores the paper list index; the model holds Word's paper code.
constexpr int PaperCodes[] = {2, 23, 4, 6, 7, 11, 41};
constexpr int A4Index = 4;
int paperCodeForIndex(int index)
{
    return index >= 0 && index < int(std::size(PaperCodes)) ? PaperCodes[index] : PaperCodes[A4Index];
}
int paperIndexForCode(int code)
{
    for (int index = 0; index < int(std::size(PaperCodes)); ++index)
        if (PaperCodes[index] == code)
            return index;
    return A4Index;
}

template <typename Object, typename Field>
void writeField(TIniWriter& ini, const char16_t* name, const Object& object, const Field& field)
{
    std::visit([&](auto member) { ini.Key(name, object.*member); }, field);
}

template <typename Object, typename Field>
void readField(const TIniFile& ini, const QString& section, const char16_t* name, Object& object,
    const Field& field, bool emptyWhenMissing)
{
    std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(object.*member)>;
            if constexpr (std::is_same_v<Value, QString>)
                object.*member = ini.ReadString(section, name, emptyWhenMissing ? QString() : object.*member);
            else if constexpr (std::is_same_v<Value, bool>)
                object.*member = ini.ReadBool(section, name, emptyWhenMissing ? false : object.*member);
            else
                object.*member = ini.ReadInteger(section, name, emptyWhenMissing ? 0 : object.*member);
        },
        field);
}

QString keywordsToFile(const QString& keywords)
{
    QString text = keywords;
    text.replace(QStringLiteral("\r\n"), KeywordSeparator);
    // A lone line break would end the line in the file.
    text.replace(QLatin1Char('\r'), KeywordSeparator);
    text.replace(QLatin1Char('\n'), KeywordSeparator);
    return text;
}

QString keywordsFromFile(QString text)
{
    return text.replace(KeywordSeparator, QStringLiteral("\r\n"));
}

// Reads a file and parses it the way its "Ver" asks. Version 2 and later are
// UTF-8 files: they are parsed as such and rewritten with the UTF-8 mark.
TIniFile parseProjectFile(const QString& fileName, int& version)
{
    QFileInfo info(fileName);
    if (!info.exists())
        throw EQuorixError(fileName + QStringLiteral(" doesn't exist!"));
    if (info.isDir())
        throw EQuorixError(fileName + QStringLiteral(" is a folder, not a project file."));
    if (info.size() > MaxProjectFileSize)
        throw EQuorixError(fileName + QStringLiteral(" is too large (%1 MB) to be a project file.")
                                          .arg(info.size() / (1024 * 1024)));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EQuorixError(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": ") + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EQuorixError(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": ") + file.errorString());
    file.close();

    TIniFile ini = TIniFile::FromBytes(bytes);
    version = ini.ReadInteger(GeneralSection, u"Ver", 0);
    if (version >= 2) {
        const QString text = DecodeTextBytes(bytes, QStringLiteral("65001"));
        // The rewrite is a convenience: a read-only project still opens.
        SaveTextFile(text, fileName, EncodingUtf8);
        return TIniFile::FromText(text);
    }
    // Files before version 1 are 7-bit text, unless a byte-order mark says otherwise.
    if (version < 1 && !ini.HadByteOrderMark())
        return TIniFile::FromBytes(bytes, TIniFile::Encoding::UsAscii);
    return ini;
}

// One topic of a "TOPICS" section.
struct StoredTopic {
    QString title;
    TLeftTreeData entry;
};

// Reads the topics of a list such as "TitleList.Title.0", "TitleList.Level.0", ...
class TopicReader {
public:
    TopicReader(const TIniFile& ini, const QString& section, const QString& name)
        : m_ini(ini)
        , m_section(section)
        , m_name(name)
    {
        m_key.reserve(name.size() + 32);
    }

    StoredTopic read(int n)
    {
        m_number = QString::number(n);
        StoredTopic topic;
        TLeftTreeData& entry = topic.entry;
        entry.Keywords = keywordsFromFile(m_ini.ReadString(m_section, key(u"Keywords"), QString()));
        topic.title = m_ini.ReadString(m_section, key(u"Title"), QString());
        entry.Level = m_ini.ReadInteger(m_section, key(u"Level"), 0);
        entry.Url = m_ini.ReadString(m_section, key(u"Url"), QString());
        entry.Icon = m_ini.ReadInteger(m_section, key(u"Icon"), 0);
        entry.Status = m_ini.ReadInteger(m_section, key(u"Status"), 0);
        entry.ContextNumber = m_ini.ReadString(m_section, key(u"ContextNumber"), QString());
        entry.Kind = m_ini.ReadInteger(m_section, key(u"Kind"), 0);
        entry.ApplyTemp = m_ini.ReadBool(m_section, key(u"ApplyTemp"), false);
        entry.Expanded = m_ini.ReadBool(m_section, key(u"Expanded"), false);
        return topic;
    }

private:
    QStringView key(QStringView field)
    {
        m_key.resize(0);
        m_key += m_name;
        m_key += u'.';
        m_key += field;
        m_key += u'.';
        m_key += m_number;
        return m_key;
    }

    const TIniFile& m_ini;
    const QString& m_section;
    const QString& m_name;
    QString m_number;
    QString m_key;
};

// The topics to read, in order: indices below the stored count that have at
// least one key. A damaged count (two billion with three entries) thus costs
// nothing; an index without any key would only be an empty topic.
std::vector<int> topicIndices(const TIniFile& ini, const QString& section, const QString& name)
{
    const int stored = ini.ReadInteger(section, name, 0);
    std::vector<int> indices;
    if (stored <= 0)
        return indices;
    const QString prefix = name + QLatin1Char('.');
    ini.ForEachKey(section, [&](QStringView key) {
        if (!TIniFile::StartsWithFolded(key, prefix))
            return;
        const QStringView number = key.sliced(key.lastIndexOf(u'.') + 1);
        if (number.isEmpty() || number.size() > 10)
            return;
        qint64 n = 0;
        for (QChar c : number) {
            if (c < u'0' || c > u'9')
                return;
            n = n * 10 + (c.unicode() - u'0');
        }
        if (n < stored)
            indices.push_back(int(n));
    });
    if (!std::is_sorted(indices.begin(), indices.end())) // written files list them in order
        std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

// Places topics read in file order by their levels. Levels that jump are
// taken as one level deeper; nothing lands outside the three roots.
class TopicPlacer {
public:
    TopicPlacer(TopicTree& tree)
        : m_tree(tree)
    {
    }

    TopicNode* place(const StoredTopic& topic, TopicNode* levelZeroParent)
    {
        const int level = std::clamp(topic.entry.Level, 0, int(m_path.size()));
        TopicNode* parent = level == 0 ? levelZeroParent : m_path[size_t(level - 1)];
        TopicNode* node = m_tree.appendNode(parent, topic.title, topic.entry);
        m_path.resize(size_t(level));
        m_path.push_back(node);
        return node;
    }

private:
    TopicTree& m_tree;
    std::vector<TopicNode*> m_path; // the last topic placed at each level
};

} // namespace

void TQrx::CHMProjectSaveToIni(const TCHMProject& project, TIniWriter& ini, const QString& section)
{
    ini.Section(section);
    for (const auto& key : ChmIntegers)
        ini.Key(key.name, project.*key.field);
    for (const auto& key : ChmBooleans)
        ini.Key(key.name, project.*key.field);
    for (const auto& key : ChmStrings)
        ini.Key(key.name, project.*key.field);
    ini.EndSection();
}

void TQrx::CHMProjectReadFromIni(TCHMProject& project, const TIniFile& ini, const QString& section)
{
    for (const auto& key : ChmIntegers)
        project.*key.field = ini.ReadInteger(section, key.name, key.missing);
    for (const auto& key : ChmBooleans)
        project.*key.field = ini.ReadBool(section, key.name, key.missing);
    for (const auto& key : ChmStrings)
        project.*key.field = ini.ReadString(section, key.name, key.missing);
}

void TQrx::DocSettingSaveToIni(const TDocPDFSettings& settings, TIniWriter& ini, const QString& section)
{
    ini.Section(section);
    ini.Key(u"PaperSize", paperIndexForCode(settings.PaperSize));
    for (const DocKey& key : DocKeys)
        writeField(ini, key.name, settings, key.field);
    ini.EndSection();
}

void TQrx::DocSettingReadFromIni(TDocPDFSettings& settings, const TIniFile& ini, const QString& section)
{
    // A missing key leaves the held code, which is then taken as an index too.
    settings.PaperSize = paperCodeForIndex(ini.ReadInteger(section, u"PaperSize", settings.PaperSize));
    for (const DocKey& key : DocKeys)
        readField(ini, section, key.name, settings, key.field, false);
}

void TQrx::WriteTreeToIni(const QString& section, const QString& name, TIniWriter& ini) const
{
    ini.Section(section);
    ini.Key(name, m_tree->topicCount());
    int n = 0;
    int kind = -1;
    m_tree->forEachNode([&](const TopicNode* node) {
        if (node->isRoot()) {
            ++kind;
            return true;
        }
        const TLeftTreeData& entry = node->entry();
        ini.IndexedKey(name, u"Title", n, node->text());
        ini.IndexedKey(name, u"Level", n, node->depth() - 1);
        ini.IndexedKey(name, u"Url", n, entry.Url);
        ini.IndexedKey(name, u"Icon", n, entry.Icon);
        ini.IndexedKey(name, u"Status", n, entry.Status);
        ini.IndexedKey(name, u"Keywords", n, keywordsToFile(entry.Keywords));
        ini.IndexedKey(name, u"ContextNumber", n, entry.ContextNumber);
        ini.IndexedKey(name, u"ApplyTemp", n, entry.ApplyTemp);
        ini.IndexedKey(name, u"Expanded", n, node->expanded());
        ini.IndexedKey(name, u"Kind", n, kind);
        ++n;
        return true;
    });
    ini.EndSection();
}

void TQrx::ReadTreeFromIni(const QString& section, const QString& name, const TIniFile& ini)
{
    const std::vector<int> indices = topicIndices(ini, section, name);
    TopicNode* first = nullptr;
    {
        TopicTree::BulkChange bulk(*m_tree);
        ClearTreeView();
        TopicPlacer placer(*m_tree);
        TopicReader reader(ini, section, name);
        for (int n : indices) {
            const StoredTopic topic = reader.read(n);
            TopicNode* root = m_tree->root(topic.entry.Kind);
            TopicNode* node = placer.place(topic, root ? root : tnTableOfContents);
            if (first == nullptr && topic.entry.Status == StatusLinked && !topic.entry.Url.isEmpty())
                first = node;
        }
        m_tree->setExpanded(tnTableOfContents, true);
    }
    m_tree->select(first ? first : tnTableOfContents);
}

void TQrx::SaveToIni(const QString& fileName)
{
    TIniWriter ini(qsizetype(m_tree->topicCount()) * 512 + 8192);
    ini.Section(GeneralSection);
    ini.Key(u"Ver", 1);
    ini.Key(u"Title", Title);
    // Relative to the project file, which callers name before saving; a
    // project never saved yet is placed relative to its new file.
    const QString base = IsAbsolutePath(ProjectFilename) ? ProjectFilename : QFileInfo(fileName).absoluteFilePath();
    ini.Key(u"RootDir", RootDir.isEmpty() ? QString() : RelativePath(base, RootDir));
    ini.Key(u"Dictionary", Dictionary);
    for (const GeneralKey& key : GeneralKeys)
        writeField(ini, key.name, *this, key.field);
    ini.EndSection();
    CHMProjectSaveToIni(CHMSetting, ini, ChmSection);
    DocSettingSaveToIni(DocSetting, ini, DocSection);
    WriteTreeToIni(TopicsSection, TopicsName, ini);

    QString error;
    if (!SaveTextFile(ini.Text(), fileName, EncodingUtf16, &error))
        throw EQuorixError(QStringLiteral("Cannot save the project ") + fileName + QStringLiteral(": ") + error);
    ProjectChanged = false;
    ProjectFilename = fileName;
    IsNew = false;
}

bool TQrx::Save()
{
    SaveToIni(ProjectFilename);
    return true;
}

void TQrx::ReadFromIni(const QString& fileName)
{
    const QString absoluteName = QFileInfo(fileName).absoluteFilePath();
    const TIniFile ini = parseProjectFile(absoluteName, Ver);

    // The language decides the dictionary a file without one gets.
    Language = ini.ReadString(GeneralSection, u"Language", Language);
    Dictionary = ini.ReadString(GeneralSection, u"Dictionary", LanguageTable().GetDictionaryById(Language));
    Title = ini.ReadString(GeneralSection, u"Title", QString());
    for (const GeneralKey& key : GeneralKeys)
        readField(ini, GeneralSection, key.name, *this, key.field, key.missing == Missing::Empty);

    QString root = ini.ReadString(GeneralSection, u"RootDir", QString());
    root.replace(QStringLiteral("$AppDir$"), ProgramDataFolder(), Qt::CaseInsensitive);
    if (IsWindowsAbsolutePath(root))
        RootDir = root; // kept as written; outputs say so where they use it
    else if (IsAbsolutePath(root))
        RootDir = WithTrailingSeparator(NormalizePath(root));
    else
        RootDir = WithTrailingSeparator(
            NormalizePath(QFileInfo(absoluteName).absolutePath() + QLatin1Char('/') + root));

    CHMProjectReadFromIni(CHMSetting, ini, ChmSection);
    DocSettingReadFromIni(DocSetting, ini, DocSection);
    ReadTreeFromIni(TopicsSection, TopicsName, ini);

    ProjectChanged = false;
    ProjectFilename = absoluteName;
    IsNew = false;
    SetIcon();
    if (FOnLoad)
        FOnLoad(this);
}

void TQrx::ImportTocFromAnotherIni(const QString& fileName)
{
    int version = 0;
    const TIniFile ini = parseProjectFile(QFileInfo(fileName).absoluteFilePath(), version);
    Ver = version;

    QList<TopicNode*> imported;
    TopicPlacer placer(*m_tree);
    TopicReader reader(ini, TopicsSection, TopicsName);
    for (int n : topicIndices(ini, TopicsSection, TopicsName)) {
        const StoredTopic topic = reader.read(n);
        if (topic.entry.Kind > 0)
            break; // the table of contents comes first in the file
        TopicNode* node = placer.place(topic, tnTableOfContents);
        if (node->parent() == tnTableOfContents)
            imported.append(node);
    }
    m_tree->setSelection(imported);
    ProjectChanged = true;
    SetIcon();
    if (FOnLoad)
        FOnLoad(this);
}
