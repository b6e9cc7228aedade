#include "TCHMDecompile.h"

#include "ChmEntryNames.h"
#include "ChmSystemInfo.h"
#include "CodePages.h"
#include "Entities.h"
#include "Languages.h"
#include "PageFiles.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TChmFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int FirstContextNumber = 1000;
constexpr int ArabicCodePage = 1256;
// Window definition fields: title, contents file, index file.
constexpr int WindowContentsField = 1;
constexpr int WindowIndexField = 2;
constexpr int ProgressStep = 200;
constexpr int PercentDone = 100;

const QString ItemList = QStringLiteral("UL>");
const QString ItemListEnd = QStringLiteral("/UL");
const QString ItemStart = QStringLiteral("LI>");
constexpr qsizetype ItemMarkLength = 3;

// The lines of each section of a project file, by lower-cased name; lines
// before the first section under "".
QHash<QString, QStringList> Sections(const QString& text)
{
    QHash<QString, QStringList> sections;
    QString current;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            current = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toLower();
            sections[current];
            continue;
        }
        sections[current] << line;
    }
    return sections;
}

// The value of `key` (without case) among key=value lines.
QString Value(const QStringList& lines, const QString& key)
{
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1).trimmed();
    }
    return QString();
}

// A window definition's fields: split at commas, double quotes quoting.
QStringList WindowFields(const QString& definition)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (const QChar c : definition) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            fields << std::exchange(field, QString());
        else
            field += c;
    }
    fields << field;
    return fields;
}

bool StartsWithWord(const QString& line, const QLatin1String& word)
{
    return line.startsWith(word, Qt::CaseInsensitive);
}

// Each "<param ...>" of an item, in order.
QStringList ParamSpans(const QString& item)
{
    QStringList spans;
    for (qsizetype at = item.indexOf(QLatin1String("<param"), 0, Qt::CaseInsensitive); at >= 0;) {
        const qsizetype end = item.indexOf(QLatin1Char('>'), at);
        spans << item.mid(at, end < 0 ? -1 : end - at + 1);
        if (end < 0)
            break;
        at = item.indexOf(QLatin1String("<param"), end, Qt::CaseInsensitive);
    }
    return spans;
}

QString ParamValue(const QString& span)
{
    static const QLatin1String value("value=\"");
    const qsizetype at = span.indexOf(value, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const qsizetype from = at + value.size();
    const qsizetype end = span.indexOf(QLatin1Char('"'), from);
    return span.mid(from, end < 0 ? -1 : end - from);
}

bool ParamNamed(const QString& span, const QLatin1String& name)
{
    return span.contains(QLatin1String("name=\"") + name + QLatin1Char('"'), Qt::CaseInsensitive);
}

QString Unescape20(QString url) { return url.replace(QLatin1String("%20"), QLatin1String(" "), Qt::CaseInsensitive); }

// Walks a contents or index file: `list` for "<UL>" (with the item buffer
// flushed before), `listEnd` for "</UL", `flush` for each item buffer.
void WalkLists(const QString& text, const std::function<void(const QString&)>& flush,
               const std::function<void(bool hadItem)>& list, const std::function<void()>& listEnd)
{
    QString item;
    bool inItem = false;
    auto flushItem = [&] {
        const bool had = !item.isEmpty();
        if (had)
            flush(item);
        item.clear();
        return had;
    };
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == QLatin1Char('<')) {
            const QStringView mark = QStringView(text).mid(at + 1, ItemMarkLength);
            if (mark.compare(ItemList, Qt::CaseInsensitive) == 0) {
                list(flushItem());
                inItem = false;
                continue;
            }
            if (mark.compare(ItemListEnd, Qt::CaseInsensitive) == 0) {
                flushItem();
                listEnd();
                inItem = false;
                continue;
            }
            if (mark.compare(ItemStart, Qt::CaseInsensitive) == 0) {
                flushItem();
                inItem = true;
                at += ItemMarkLength;
                continue;
            }
        }
        if (inItem)
            item += text[at];
    }
    flushItem();
}

// Whether `folder`, links resolved, lies in `root` or is it.
bool InsideFolder(const QString& folder, const QString& root)
{
    const QString real = QFileInfo(folder).canonicalFilePath();
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    return !real.isEmpty() && (real == realRoot || real.startsWith(realRoot + QLatin1Char('/')));
}

} // namespace

void TCHMDecompile::Report(const QString& info, int percent) const
{
    if (FOnChange)
        FOnChange(info, percent);
}

TCHMDecompile::TChmInfo TCHMDecompile::ReadChmInfo(const QString& chmFile)
{
    const TChmSystemInfo system = ReadChmFileInfo(chmFile);
    const int codePage = system.HasLanguage ? LanguageTable().GetCodepageById(system.LangID()) : 0;
    return {system.LangID(), AnsiToText(system.Title, codePage), AnsiToText(system.DefaultTopic, codePage)};
}

void TCHMDecompile::LoadFromCHM(const QString& ChmFile)
{
    chmFile = ChmFile;
    const TChmSystemInfo system = ReadChmFileInfo(ChmFile);
    LangID = system.LangID();
    rCodePage = system.HasLanguage ? LanguageTable().GetCodepageById(LangID) : 0;
    CodePage = rCodePage;
    rTitle = system.Title;
    rDefaultPage = system.DefaultTopic;
    Title = AnsiToText(rTitle, CodePage);
    DefaultPage = AnsiToText(rDefaultPage, CodePage);
    m_contentsObject = system.ContentsFile;
    m_indexObject = system.IndexFile;
}

void TCHMDecompile::decompile()
{
    Report(QStringLiteral("Decompiling..."), 1);
    rootFolder = WithTrailingSeparator(QDir::cleanPath(rootFolder));
    if (!QDir().mkpath(rootFolder))
        throw EQuorixError(QStringLiteral("Cannot create ") + rootFolder);
    if (!AllowFilledFolder && !QDir(rootFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        throw EQuorixError(QStringLiteral("The folder %1 already holds files. Choose an empty folder for the "
                                          "imported help, or agree to add the files to it.")
                               .arg(QDir::toNativeSeparators(rootFolder)));
    const TChmFile file(chmFile);
    if (!file.IsOpen())
        throw EQuorixError(QStringLiteral("Cannot read %1: it is not a compiled help file, or it is damaged.")
                               .arg(QDir::toNativeSeparators(chmFile)));
    if (!file.CompressedReadable())
        throw EQuorixError(QStringLiteral("Cannot read %1: its compressed part is damaged.")
                               .arg(QDir::toNativeSeparators(chmFile)));
    if (AllowFilledFolder)
        ReserveExisting();
    QList<TChmObject> objects = file.Objects();
    // A fixed order places names that differ only in case the same way every time.
    std::sort(objects.begin(), objects.end(), [](const TChmObject& a, const TChmObject& b) { return a.Name < b.Name; });
    Extract(objects, file);

    FileName = QFileInfo(chmFile).completeBaseName();
    // A help file that carries its project keeps the context numbers it maps.
    const QString project = ChooseListFile(QByteArray(), QStringLiteral(".hhp"));
    if (!project.isEmpty())
        ReadContext(ReadByteText(project));
    hhcFile = ChooseListFile(m_contentsObject, QStringLiteral(".hhc"));
    if (!hhcFile.isEmpty())
        ParseContentsFile(hhcFile);
    hhkFile = ChooseListFile(m_indexObject, QStringLiteral(".hhk"));
    if (!hhkFile.isEmpty())
        ParseIndexFile(hhkFile);
    Report(QStringLiteral("Decompiling..."), PercentDone);
}

void TCHMDecompile::ReserveExisting()
{
    const QDir root(rootFolder);
    QDirIterator it(rootFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString relative = root.relativeFilePath(entry.filePath());
        if (entry.isDir() && !entry.isSymLink())
            m_written.ReserveFolder(relative);
        else
            m_written.ReserveFile(relative);
    }
}

void TCHMDecompile::Extract(const QList<TChmObject>& objects, const TChmFile& file)
{
    QSet<QString> madeFolders;
    const QString root = rootFolder;
    int done = 0;
    for (const TChmObject& object : objects) {
        const QByteArray& name = object.Name;
        if (++done % ProgressStep == 0)
            Report(QStringLiteral("Decompiling..."), std::max(1, int(qint64(done) * PercentDone / objects.size())));
        if (name.endsWith('/') || IsChmSystemObject(name))
            continue;
        const QStringList parts = SafeChmEntryParts(name, rCodePage);
        const QString shown = QString::fromUtf8(name);
        if (parts.isEmpty()) {
            m_skipped << shown + QStringLiteral(": the name points outside the folder");
            continue;
        }
        const QString relative = m_written.Place(parts);
        const QString target = root + relative;
        const QString folder = QFileInfo(target).path();
        if (!madeFolders.contains(folder)) {
            // A link already in a folder the author let us fill could lead outside it.
            if (!QDir().mkpath(folder) || !InsideFolder(folder, root)) {
                m_skipped << shown + QStringLiteral(": cannot make its folder inside the target folder");
                continue;
            }
            madeFolders.insert(folder);
        }
        if (QFileInfo(target).isSymLink()) {
            m_skipped << shown + QStringLiteral(": a link of that name is in the way");
            continue;
        }
        // Written under a name of its own, then renamed: no half-written page
        // is left, and no file is opened that was not made here. (No flush
        // to disk per file: that would make unpacking many times slower.)
        QTemporaryFile out(folder + QStringLiteral("/.import-XXXXXX"));
        bool ok = out.open();
        ok = ok && file.ReadPieces(object, [&](const char* data, qsizetype size) {
            return out.write(data, size) == size;
        });
        ok = ok && out.flush();
        if (ok)
            out.setAutoRemove(false);
        if (!ok || std::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(target).constData()) != 0) {
            if (ok)
                QFile::remove(out.fileName());
            m_skipped << shown + QStringLiteral(": ") + (ok || out.errorString().isEmpty() ? QStringLiteral("cannot be written") : out.errorString());
            continue;
        }
    }
}

QString TCHMDecompile::ChooseListFile(const QByteArray& named, const QString& extension) const
{
    // The file the help names, else one of its own of the help's name, else its first.
    QString relative = named.isEmpty() ? QString() : m_written.Find(AnsiToText(named, rCodePage));
    if (relative.isEmpty())
        relative = m_written.Find(FileName + extension);
    if (relative.isEmpty()) {
        const QStringList& files = m_written.Files();
        const auto it = std::find_if(files.begin(), files.end(), [&](const QString& file) {
            return file.endsWith(extension, Qt::CaseInsensitive);
        });
        if (it != files.end())
            relative = *it;
    }
    return relative.isEmpty() ? QString() : rootFolder + relative;
}

// A file without a byte-order mark is read byte for byte and each value
// decoded alone: HTML Help files name files in UTF-8 and hold titles in the
// help's code page.
QString TCHMDecompile::ReadByteText(const QString& file)
{
    QFile in(file);
    const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    m_byteValues = !PageEncodingOf(bytes).Mark;
    return m_byteValues ? QString::fromLatin1(bytes) : DecodeTextBytes(bytes, CodePage > 0 ? QString::number(CodePage) : QString());
}

QString TCHMDecompile::ValueText(const QString& raw) const
{
    if (!m_byteValues)
        return raw;
    const QByteArray bytes = raw.toLatin1();
    QString text;
    return DecodeValidUtf8(bytes, text) ? text : AnsiToText(bytes, CodePage);
}

void TCHMDecompile::ParseContentsFile(const QString& file)
{
    ParseContentsText(ReadByteText(file));
}

void TCHMDecompile::ParseIndexFile(const QString& file)
{
    ParseIndexText(ReadByteText(file));
}

void TCHMDecompile::ParseContents(const QString& text)
{
    m_byteValues = false;
    ParseContentsText(text);
}

void TCHMDecompile::ParseIndex(const QString& text)
{
    m_byteValues = false;
    ParseIndexText(text);
}

void TCHMDecompile::ParseContentsText(const QString& text)
{
    QHash<QString, QString> context;
    for (const auto& [page, number] : Context) {
        const QString key = page.toLower();
        if (!context.contains(key))
            context.insert(key, number);
    }
    // Numbers of their own never repeat a number the project maps.
    QSet<QString> mapped;
    for (const auto& pair : Context)
        mapped.insert(pair.second.trimmed());
    int level = -1;
    int index = 0;
    int contextNumber = FirstContextNumber;
    const auto nextNumber = [&] {
        while (mapped.contains(QString::number(contextNumber)))
            ++contextNumber;
        return QString::number(contextNumber++);
    };
    const auto flush = [&](const QString& item) {
        QString title;
        bool hasTitle = false;
        QStringList pages;
        int icon = 0;
        for (const QString& span : ParamSpans(item)) {
            const QString value = ValueText(ParamValue(span));
            if (!hasTitle && ParamNamed(span, QLatin1String("Name"))) {
                hasTitle = true;
                title = CodePage == ArabicCodePage && LooksEntityEncoded(value)
                            ? BytesTextToText(DecodeEntities(value), ArabicCodePage)
                            : DecodeEntities(value);
            } else if (ParamNamed(span, QLatin1String("Local"))) {
                pages << DecodeEntities(value);
            } else if (ParamNamed(span, QLatin1String("ImageNumber"))) {
                bool ok = false;
                const int number = value.trimmed().toInt(&ok);
                icon = ok ? number : 0;
            }
        }
        if (QString(title).remove(QLatin1Char('-')).isEmpty())
            return;
        TTitleList& entry = List.Add();
        entry.Topic = title;
        entry.Level = std::clamp(level, 0, TTitleList::MaxLevel);
        entry.Index = index++;
        entry.Icon = icon;
        const QString page = pages.isEmpty() ? QString() : pages.front();
        if (!page.isEmpty()) {
            entry.Url = Unescape20(page);
            entry.Status = TTitleList::StatusPage;
        } else {
            entry.Status = TTitleList::StatusNoPage;
        }
        const auto known = entry.Url.isEmpty() ? context.constEnd() : context.constFind(entry.Url.toLower());
        entry.ContextNumber = known != context.constEnd() ? known.value() : nextNumber();
    };
    WalkLists(text, flush, [&](bool) { ++level; }, [&] { --level; });
    List.initializeUrls();
}

void TCHMDecompile::ParseIndexText(const QString& text)
{
    QMultiHash<QString, TTitleList*> byUrl;
    for (int i = 0; i < List.Count(); ++i)
        byUrl.insert(List.Item(i).Url.toLower(), &List.Item(i));
    QStringList keywords;
    QString lastKeyword;
    const auto flush = [&](const QString& item) {
        const QStringList spans = ParamSpans(item);
        lastKeyword = spans.isEmpty() ? QString()
                                      : DecodeEntities(ValueText(ParamValue(spans.front())))
                                            .replace(QLatin1Char('/'), QLatin1String("//"));
        QString path;
        for (const QString& parent : keywords)
            path += parent + QLatin1Char('/');
        for (const QString& span : spans) {
            if (!ParamNamed(span, QLatin1String("Local")))
                continue;
            const TUrlAnchor url = SplitUrlAnchor(DecodeEntities(ValueText(ParamValue(span))));
            QString keyword = path + lastKeyword;
            if (!url.Anchor.isEmpty())
                keyword += QLatin1Char('#') + url.Anchor;
            const auto entries = byUrl.values(Unescape20(url.Page).toLower());
            // values() gives the last inserted first; keep reading order.
            for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
                TTitleList* entry = *it;
                if (!entry->Keywords.isEmpty())
                    entry->Keywords += KeywordSeparator;
                entry->Keywords += keyword;
            }
        }
    };
    // The keyword of the item before a "<UL>" is the parent of the items inside.
    WalkLists(text, [&](const QString& item) { flush(item); },
              [&](bool hadItem) {
                  if (hadItem)
                      keywords << lastKeyword;
              },
              [&] {
                  if (!keywords.isEmpty())
                      keywords.removeLast();
              });
}

QString TCHMDecompile::IncludedText(const QString& name) const
{
    return DecodeTextFile(ProjectFilePath(rootFolder, name.trimmed()));
}

void TCHMDecompile::ReadContext(const QString& hhpText)
{
    const QHash<QString, QStringList> sections = Sections(hhpText);
    std::vector<std::pair<QString, QString>> defines;
    const auto addDefine = [&](const QString& line) {
        const QString rest = line.mid(qsizetype(strlen("#define"))).trimmed();
        const qsizetype space = rest.indexOf(QLatin1Char(' '));
        if (space > 0)
            defines.emplace_back(rest.left(space), rest.mid(space + 1).trimmed());
    };
    QStringList headers;
    for (const QString& line : sections.value(QStringLiteral("map"))) {
        if (StartsWithWord(line, QLatin1String("#include")))
            headers << ValueText(line.mid(qsizetype(strlen("#include"))).trimmed());
        else if (StartsWithWord(line, QLatin1String("#define")))
            addDefine(ValueText(line));
    }
    QStringList aliasLines;
    for (const QString& line : sections.value(QStringLiteral("alias"))) {
        if (StartsWithWord(line, QLatin1String("#include"))) {
            for (const QString& included : IncludedText(ValueText(line.mid(qsizetype(strlen("#include")))))
                                               .split(QLatin1Char('\n'))) {
                if (!included.trimmed().isEmpty())
                    aliasLines << included.trimmed();
            }
        } else if (!line.isEmpty()) {
            aliasLines << ValueText(line);
        }
    }
    for (const QString& header : headers) {
        for (const QString& raw : IncludedText(header).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (StartsWithWord(line, QLatin1String("#define")))
                addDefine(line);
        }
    }
    std::vector<std::pair<QString, QString>> aliases;
    for (const QString& line : aliasLines) {
        const QString content = line.left(line.indexOf(QLatin1Char(';')));
        const qsizetype equals = content.indexOf(QLatin1Char('='));
        if (equals > 0)
            aliases.emplace_back(content.left(equals).trimmed(), content.mid(equals + 1).trimmed());
    }
    if (!defines.empty()) {
        for (const auto& define : defines) {
            const auto alias = std::find_if(aliases.begin(), aliases.end(),
                                            [&](const auto& a) { return a.first == define.first; });
            Context.emplace_back(alias == aliases.end() ? QString() : alias->second, define.second);
        }
    } else {
        for (const auto& [alias, page] : aliases)
            Context.emplace_back(page, alias);
    }
}

void TCHMDecompile::LoadFromHHP(const QString& HHPFile)
{
    const QFileInfo info(HHPFile);
    rootFolder = WithTrailingSeparator(info.absolutePath());
    FileName = info.completeBaseName();
    const QString text = ReadByteText(HHPFile);
    const QHash<QString, QStringList> sections = Sections(text);
    const QStringList options = sections.value(QStringLiteral("options"));
    // Titles are in the code page of the project's language.
    LangID = Value(options, QStringLiteral("Language"));
    CodePage = LanguageTable().GetCodepageById(LangID);
    rCodePage = CodePage;
    const auto option = [&](const char* key) { return ValueText(Value(options, QString::fromLatin1(key))); };
    DefaultWindow = option("Default Window");
    hhcFile = option("Contents file");
    hhkFile = option("Index file");
    Title = option("Title");
    DefaultPage = option("Default topic");
    const QStringList window =
        WindowFields(ValueText(Value(sections.value(QStringLiteral("windows")), DefaultWindow)));
    ReadContext(text);
    const auto listFile = [&](QString& file, int field) {
        if (file.trimmed().isEmpty())
            file = window.value(field).trimmed();
        if (!file.isEmpty())
            file = ProjectFilePath(rootFolder, file);
    };
    listFile(hhcFile, WindowContentsField);
    if (!hhcFile.isEmpty())
        ParseContentsFile(hhcFile);
    listFile(hhkFile, WindowIndexField);
    if (!hhkFile.isEmpty())
        ParseIndexFile(hhkFile);
}
