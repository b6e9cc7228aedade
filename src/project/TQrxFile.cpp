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
#include <limits>
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

// Written only when the project names its HTML Help compiler.
constexpr const char16_t* CompilerKey = u"Compiler";

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

// A project file read and parsed, with what the author should hear about it.
struct ParsedProjectFile {
    TIniFile ini;
    int version = 0;
    QStringList warnings;
};

// Reads and parses a project file; refuses what cannot be one. A file of
// version 2 or later is UTF-8 and gets the UTF-8 mark written in, but only
// when its bytes really are UTF-8: a rewrite never changes the author's text.
ParsedProjectFile parseProjectFile(const QString& fileName)
{
    QFileInfo info(fileName);
    if (!info.exists())
        throw EQuorixError(fileName + QStringLiteral(" doesn't exist!"));
    if (info.isDir())
        throw EQuorixError(fileName + QStringLiteral(" is a folder, not a project file."));
    // A pipe or a device would never end, or block the read.
    if (!info.isFile())
        throw EQuorixError(fileName + QStringLiteral(" is not a regular file (a device or a pipe), so it is no project file."));
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

    ParsedProjectFile parsed{TIniFile::FromBytes(bytes), 0, {}};
    const TIniFile& ini = parsed.ini;
    // Opened as an empty project, anything else would be overwritten by the next save.
    if (!ini.HasSection(GeneralSection) && !ini.HasSection(TopicsSection))
        throw EQuorixError(fileName + QStringLiteral(" is not a project file: it has neither a [GENERAL] nor a [TOPICS] section."));
    parsed.version = ini.ReadInteger(GeneralSection, u"Ver", 0);
    if (parsed.version >= 2) {
        if (ini.DecodedAs() == TIniFile::Decoded::Utf8) {
            // The rewrite is a convenience: a read-only project still opens.
            SaveTextFile(ini.Text(), fileName, EncodingUtf8);
        } else if (ini.DecodedAs() == TIniFile::Decoded::Ansi) {
            parsed.warnings << QStringLiteral("The project file says it is UTF-8 (version %1) but is not; it was read in "
                                              "code page %2 and left as it was.")
                                   .arg(parsed.version)
                                   .arg(SystemAnsiCodePage());
        }
    }
    return parsed;
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

// The fields every topic of a list has, as in "TitleList.Title.0".
const char16_t* const TopicFields[] = {u"Title", u"Level", u"Url", u"Icon", u"Status", u"Keywords",
    u"ContextNumber", u"ApplyTemp", u"Expanded", u"Kind"};

// The index of a key such as "TitleList.Url.12" (after `prefix`, "TitleList."),
// or -1 when the key is not one of a topic's.
int topicIndexOfKey(QStringView key, QStringView prefix)
{
    if (!TIniFile::StartsWithFolded(key, prefix))
        return -1;
    const QStringView rest = key.sliced(prefix.size());
    const qsizetype dot = rest.lastIndexOf(u'.');
    if (dot < 0)
        return -1;
    const QStringView field = rest.first(dot);
    if (std::none_of(std::begin(TopicFields), std::end(TopicFields),
            [field](const char16_t* known) { return field.compare(QStringView(known), Qt::CaseInsensitive) == 0; }))
        return -1;
    // Only the form the reader asks for: decimal without leading zeros.
    const QStringView number = rest.sliced(dot + 1);
    if (number.isEmpty() || number.size() > 10 || (number.size() > 1 && number.front() == u'0'))
        return -1;
    qint64 n = 0;
    for (QChar c : number) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n <= std::numeric_limits<int>::max() ? int(n) : -1;
}

// The topics a list holds, in order: every index with at least one key.
// The count the file states is not trusted: a count too small (or missing)
// would drop topics, one too large (two billion with three entries) would
// make empty ones.
struct TopicList {
    std::vector<int> indices;
    QString countWarning; // empty when the file's count was right
};

QString topicsText(int count)
{
    return count == 1 ? QStringLiteral("1 topic") : QStringLiteral("%1 topics").arg(count);
}

QString topicCountWarning(bool hasCount, int stated, int held)
{
    if (hasCount ? stated == held : held == 0)
        return QString();
    const QString read = held == 1 ? QStringLiteral("the one topic was read") : QStringLiteral("all %1 were read").arg(held);
    if (!hasCount)
        return QStringLiteral("The project file does not say how many topics it holds; %1.").arg(read);
    if (held == 0)
        return QStringLiteral("The project file says it holds %1 but holds none.").arg(topicsText(stated));
    return QStringLiteral("The project file says it holds %1 but holds %2; %3.").arg(topicsText(stated)).arg(held).arg(read);
}

TopicList topicList(const TIniFile& ini, const QString& section, const QString& name)
{
    TopicList list;
    const QString prefix = name + QLatin1Char('.');
    ini.ForEachKey(section, [&](QStringView key) {
        const int n = topicIndexOfKey(key, prefix);
        if (n >= 0)
            list.indices.push_back(n);
    });
    if (!std::is_sorted(list.indices.begin(), list.indices.end())) // written files list them in order
        std::sort(list.indices.begin(), list.indices.end());
    list.indices.erase(std::unique(list.indices.begin(), list.indices.end()), list.indices.end());
    int stated = 0;
    const bool hasCount = TIniFile::ParseInteger(ini.ReadString(section, name, QString()), stated);
    list.countWarning = topicCountWarning(hasCount, stated, int(list.indices.size()));
    return list;
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
    // Only a project that chose leaves a trace: every other file stays as it was.
    if (!project.Compiler.isEmpty())
        ini.Key(CompilerKey, project.Compiler);
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
    project.Compiler = ini.ReadString(section, CompilerKey, QString());
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
    // The nodes from the current root down to the one before, so that a
    // node's depth costs nothing however deep the tree is.
    std::vector<const TopicNode*> path;
    m_tree->forEachNode([&](const TopicNode* node) {
        while (!path.empty() && path.back() != node->parent())
            path.pop_back();
        path.push_back(node);
        if (node->isRoot()) {
            ++kind;
            return true;
        }
        const TLeftTreeData& entry = node->entry();
        ini.IndexedKey(name, u"Title", n, node->text());
        ini.IndexedKey(name, u"Level", n, int(path.size()) - 2);
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
    const TopicList list = topicList(ini, section, name);
    if (!list.countWarning.isEmpty())
        LoadWarnings << list.countWarning;
    TopicNode* first = nullptr;
    {
        TopicTree::BulkChange bulk(*m_tree);
        ClearTreeView();
        TopicPlacer placer(*m_tree);
        TopicReader reader(ini, section, name);
        for (int n : list.indices) {
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
    ParsedProjectFile parsed = parseProjectFile(absoluteName);
    const TIniFile& ini = parsed.ini;
    Ver = parsed.version;
    LoadWarnings = std::move(parsed.warnings);

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
    ParsedProjectFile parsed = parseProjectFile(QFileInfo(fileName).absoluteFilePath());
    const TIniFile& ini = parsed.ini;
    Ver = parsed.version;
    LoadWarnings = std::move(parsed.warnings);
    const TopicList list = topicList(ini, TopicsSection, TopicsName);
    if (!list.countWarning.isEmpty())
        LoadWarnings << list.countWarning;

    QList<TopicNode*> imported;
    TopicPlacer placer(*m_tree);
    TopicReader reader(ini, TopicsSection, TopicsName);
    for (int n : list.indices) {
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
