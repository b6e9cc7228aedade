#include "ProjectGenerator.h"

#include "PictureEncoding.h"
#include "Xorshift.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Words of running text. A few accented, Cyrillic and CJK words keep the UTF-8
// paths of readers and writers busy, as in real translated help.
const char* const kCommonWords[] = {
    "the", "of", "and", "to", "a", "in", "is", "for", "on", "with", "that", "by", "this", "be", "from",
    "or", "as", "are", "can", "you", "your", "it", "an", "when", "which", "each", "all", "not", "if",
    "then", "file", "folder", "project", "topic", "page", "window", "button", "option", "setting",
    "value", "list", "table", "picture", "link", "index", "keyword", "contents", "search", "output",
    "build", "compile", "export", "import", "template", "style", "format", "font", "colour", "size",
    "width", "height", "margin", "column", "row", "cell", "header", "footer", "title", "heading",
    "paragraph", "section", "chapter", "document", "report", "record", "field", "server", "client",
    "network", "account", "user", "password", "printer", "driver", "device", "connection", "backup",
    "restore", "update", "install", "remove", "configure", "select", "choose", "click", "press", "open",
    "close", "save", "print", "preview", "change", "enter", "type", "show", "hide", "move", "copy",
    "paste", "delete", "insert", "create", "edit", "find", "replace", "check", "enable", "disable",
    "default", "custom", "automatic", "manual", "new", "existing", "current", "previous", "next",
    "first", "last", "main", "small", "large", "quick", "simple", "advanced", "basic", "general",
    "common", "special", "optional", "required", "available", "selected", "visible", "hidden", "local",
    "remote", "shared", "private", "public", "secure", "daily", "weekly", "monthly", "annual", "total",
    "invoice", "customer", "supplier", "order", "product", "warehouse", "stock", "price", "discount",
    "payment", "balance", "ledger", "journal", "schedule", "calendar", "task", "note", "message",
    "error", "warning", "status", "progress", "result", "summary", "detail", "overview", "example",
    "step", "procedure", "reference", "glossary", "appendix", "shortcut", "toolbar", "menu", "dialog",
    "panel", "tab", "wizard", "filter", "sort", "group", "range", "limit", "level", "mode",
};

const char* const kRareWords[] = {
    "Übersicht", "café", "naïve", "größe", "résumé", "Zürich", "façade", "señal", "ошибка", "настройка",
    "数据", "設定", "ファイル", "도움말", "Ελληνικά", "smörgåsbord",
};

struct Vocabulary
{
    QVector<QString> common;
    QVector<QString> rare;

    Vocabulary()
    {
        for (const char* word : kCommonWords)
            common.append(QString::fromUtf8(word));
        for (const char* word : kRareWords)
            rare.append(QString::fromUtf8(word));
    }
};

const Vocabulary& Words()
{
    static const Vocabulary vocabulary;
    return vocabulary;
}

const QString& RandomWord(Xorshift& rng)
{
    const Vocabulary& words = Words();
    if (rng.Chance(2))
        return words.rare[rng.Below(int(words.rare.size()))];
    return words.common[rng.Below(int(words.common.size()))];
}

QString Capitalized(const QString& word)
{
    if (word.isEmpty())
        return word;
    return word.left(1).toUpper() + word.mid(1);
}

QString EscapeHtml(const QString& text)
{
    QString result;
    result.reserve(text.size() + 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': result += QLatin1String("&amp;"); break;
        case '<': result += QLatin1String("&lt;"); break;
        case '>': result += QLatin1String("&gt;"); break;
        case '"': result += QLatin1String("&quot;"); break;
        default: result += c;
        }
    }
    return result;
}

QString MakeTitle(Xorshift& rng)
{
    const int count = rng.Between(2, 5);
    QString title;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            title += QLatin1Char(' ');
        title += Capitalized(RandomWord(rng));
    }
    // Real tables of contents are full of "Backup & Restore".
    if (rng.Chance(5))
        title += QLatin1String(" & ") + Capitalized(RandomWord(rng));
    return title;
}

QString Padded(int number, int width)
{
    return QString::number(number).rightJustified(width, QLatin1Char('0'));
}

QString FolderName(int folder)
{
    return QLatin1String("f") + Padded(folder, 3);
}

QString PageName(int index)
{
    return QLatin1String("t") + Padded(index, 5) + QLatin1String(".htm");
}

// One picture of the shared pool, relative to the root folder with "/".
struct Picture
{
    QString path;
    int width;
    int height;
    QByteArray bytes;
};

QByteArray GradientRgb(int width, int height, int variant)
{
    QByteArray rgb;
    rgb.reserve(width * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgb.append(char((x * 255 / qMax(1, width - 1) + variant * 60) & 0xFF));
            rgb.append(char((y * 255 / qMax(1, height - 1) + variant * 30) & 0xFF));
            rgb.append(char(((x + y) * 8 + variant * 90) & 0xFF));
        }
    }
    return rgb;
}

QByteArray PatternIndices(int width, int height, int colours, int variant)
{
    QByteArray indices;
    indices.reserve(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.append(char(((x / 2) ^ (y / 2 + variant)) % colours));
    return indices;
}

Picture PngPicture(const QString& path, int width, int height, int variant)
{
    return {path, width, height, EncodePng(width, height, GradientRgb(width, height, variant))};
}

Picture GifPicture(const QString& path, int width, int height, int variant)
{
    const QVector<quint32> palette = {0xFFFFFF, 0x1F4E79, 0x2E75B6, 0x9DC3E6, 0xC00000, 0xFFC000, 0x70AD47, 0x404040};
    return {path, width, height, EncodeGif(width, height, palette, PatternIndices(width, height, 8, variant))};
}

// Pictures the pages show; the style sheet's own two are written beside them.
QVector<Picture> ContentPictures()
{
    return {
        PngPicture(QStringLiteral("images/figure1.png"), 48, 32, 0),
        PngPicture(QStringLiteral("images/figure2.png"), 32, 32, 1),
        PngPicture(QStringLiteral("images/screen1.png"), 64, 40, 2),
        GifPicture(QStringLiteral("images/icon1.gif"), 16, 16, 0),
        GifPicture(QStringLiteral("images/icon2.gif"), 24, 16, 1),
        GifPicture(QStringLiteral("images/note.gif"), 16, 16, 2),
    };
}

QVector<Picture> StylePictures()
{
    return {
        PngPicture(QStringLiteral("images/background.png"), 64, 16, 3),
        GifPicture(QStringLiteral("images/bullet.gif"), 8, 8, 3),
    };
}

const char kStyleSheet[] =
    "/* Shared look of the topic pages. */\r\n"
    "body { font-family: Verdana, Arial, sans-serif; font-size: 10pt; margin: 12px;\r\n"
    "       background: #ffffff url(images/background.png) repeat-x; }\r\n"
    "h1 { font-size: 16pt; color: #1f4e79; }\r\n"
    "h2 { font-size: 12pt; color: #2e75b6; border-bottom: 1px solid #9dc3e6; }\r\n"
    "ul.bullets li { list-style-image: url('images/bullet.gif'); }\r\n"
    "table.grid { border-collapse: collapse; }\r\n"
    "table.grid th, table.grid td { border: 1px solid #9dc3e6; padding: 2px 6px; }\r\n"
    "p.backtotop { font-size: 8pt; text-align: right; }\r\n"
    ".note { background: #fff2cc; padding: 4px; }\r\n";

const char kScript[] =
    "// Collapsible sections and a small load hook for the topic pages.\r\n"
    "function toggleSection(id) {\r\n"
    "  var element = document.getElementById(id);\r\n"
    "  if (!element) return;\r\n"
    "  element.style.display = element.style.display == 'none' ? '' : 'none';\r\n"
    "}\r\n"
    "\r\n"
    "function pageLoaded() {\r\n"
    "  if (window.parent && window.parent.syncToc) window.parent.syncToc(location.href);\r\n"
    "}\r\n";

// Writes files and keeps the totals; remembers the first failure.
class FileWriter
{
public:
    explicit FileWriter(const QString& root) : m_root(root) {}

    bool MakeFolder(const QString& relative)
    {
        const QString path = m_root + relative;
        if (QDir().mkpath(path))
            return true;
        m_error = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(path));
        return false;
    }

    bool Write(const QString& relative, const QByteArray& bytes)
    {
        QFile file(m_root + relative);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            m_error = QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
            return false;
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            m_error = QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
            return false;
        }
        file.close();
        ++m_files;
        m_bytes += bytes.size();
        return true;
    }

    const QString& Error() const { return m_error; }
    int Files() const { return m_files; }
    qint64 Bytes() const { return m_bytes; }

private:
    QString m_root;
    QString m_error;
    int m_files = 0;
    qint64 m_bytes = 0;
};

// Tables of contents go deeper now and then and climb back in jumps of any size.
QVector<int> MakeLevels(int count, int maxDepth, Xorshift& rng)
{
    QVector<int> levels;
    levels.reserve(count);
    int level = 0;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            const int roll = rng.Below(100);
            if (roll < 30 && level + 1 < maxDepth)
                ++level;
            else if (roll >= 80 && level > 0)
                level -= rng.Between(1, level);
        }
        levels.append(level);
    }
    return levels;
}

// A pool shared by all topics, so one keyword leads to several topics as in a real index.
QStringList MakeKeywordPool(int size, Xorshift& rng)
{
    QStringList parents;
    const int parentCount = qMax(4, size / 10);
    for (int i = 0; i < parentCount; ++i)
        parents.append(Capitalized(RandomWord(rng)));

    QStringList pool;
    pool.reserve(size);
    for (int i = 0; i < size; ++i) {
        QString keyword = RandomWord(rng);
        if (rng.Chance(40))
            keyword += QLatin1Char(' ') + RandomWord(rng);
        if (rng.Chance(30))
            keyword = parents[rng.Below(int(parents.size()))] + QLatin1Char('/') + keyword;
        pool.append(keyword);
    }
    return pool;
}

QStringList PickKeywords(const QStringList& pool, int count, Xorshift& rng)
{
    QStringList keywords;
    // The pool holds at least four times count entries; duplicates in it may
    // still leave fewer distinct ones, so give up after a bounded number of tries.
    for (int tries = 0; keywords.size() < count && tries < count * 20; ++tries) {
        const QString& keyword = pool[rng.Below(int(pool.size()))];
        if (!keywords.contains(keyword))
            keywords.append(keyword);
    }
    for (int i = 0; keywords.size() < count; ++i)
        keywords.append(QStringLiteral("keyword %1").arg(i + 1));
    return keywords;
}

struct PageContext
{
    const GeneratorOptions& options;
    const QVector<GeneratedTopic>& topics;
    const QVector<Picture>& pictures;
    int sectionCount;
};

// href from a page in topics/<folder>/ to topic target, with "/" as in HTML.
QString TopicHref(int fromFolder, int target, int pagesPerFolder)
{
    const int targetFolder = target / pagesPerFolder;
    if (targetFolder == fromFolder)
        return PageName(target);
    return QLatin1String("../") + FolderName(targetFolder) + QLatin1Char('/') + PageName(target);
}

int PickLinkTarget(int self, int count, Xorshift& rng)
{
    int target;
    if (rng.Chance(60)) {
        // Mostly neighbours: "see also" links stay within a chapter.
        const int distance = rng.Between(1, 20);
        target = rng.Chance(50) ? self + distance : self - distance;
        target = qBound(0, target, count - 1);
    } else {
        target = rng.Below(count);
    }
    if (target == self)
        target = (self + 1) % count;
    return target;
}

void AppendSentence(QString& html, Xorshift& rng)
{
    const int count = rng.Between(6, 16);
    for (int i = 0; i < count; ++i) {
        const QString word = i == 0 ? Capitalized(RandomWord(rng)) : RandomWord(rng);
        if (i > 0)
            html += rng.Chance(6) ? QLatin1String(", ") : QLatin1String(" ");
        const int markup = rng.Below(40);
        if (markup == 0)
            html += QLatin1String("<b>") + word + QLatin1String("</b>");
        else if (markup == 1)
            html += QLatin1String("<i>") + word + QLatin1String("</i>");
        else
            html += word;
    }
    html += QLatin1String(". ");
}

void AppendLink(QString& html, const PageContext& context, int self, Xorshift& rng)
{
    const int folder = self / context.options.pagesPerFolder;
    const int target = PickLinkTarget(self, int(context.topics.size()), rng);
    html += QLatin1String("For more, see <a href=\"");
    html += TopicHref(folder, target, context.options.pagesPerFolder);
    if (rng.Chance(30)) {
        // Every page has "top" and the same number of sections, so the anchor exists.
        const int section = rng.Below(context.sectionCount + 1);
        html += section == 0 ? QStringLiteral("#top") : QStringLiteral("#s%1").arg(section);
    }
    html += QLatin1String("\">");
    html += EscapeHtml(context.topics[target].title);
    html += QLatin1String("</a>. ");
}

void AppendPicture(QString& html, const PageContext& context, Xorshift& rng)
{
    const Picture& picture = context.pictures[rng.Below(int(context.pictures.size()))];
    html += QLatin1String("<p><img src=\"../../");
    html += picture.path;
    html += QStringLiteral("\" width=\"%1\" height=\"%2\" alt=\"").arg(picture.width).arg(picture.height);
    html += Capitalized(RandomWord(rng));
    html += QLatin1String("\"></p>\r\n");
}

void AppendList(QString& html, Xorshift& rng)
{
    const bool ordered = rng.Chance(40);
    html += ordered ? QLatin1String("<ol>\r\n") : QLatin1String("<ul class=\"bullets\">\r\n");
    const int items = rng.Between(3, 6);
    for (int i = 0; i < items; ++i) {
        html += QLatin1String("<li>");
        AppendSentence(html, rng);
        html += QLatin1String("</li>\r\n");
    }
    html += ordered ? QLatin1String("</ol>\r\n") : QLatin1String("</ul>\r\n");
}

void AppendTable(QString& html, Xorshift& rng)
{
    const int columns = rng.Between(2, 4);
    const int rows = rng.Between(2, 6);
    html += QLatin1String("<table class=\"grid\" border=\"1\" cellpadding=\"2\" cellspacing=\"0\">\r\n<tr>");
    for (int c = 0; c < columns; ++c)
        html += QLatin1String("<th>") + Capitalized(RandomWord(rng)) + QLatin1String("</th>");
    html += QLatin1String("</tr>\r\n");
    for (int r = 0; r < rows; ++r) {
        html += QLatin1String("<tr>");
        for (int c = 0; c < columns; ++c) {
            html += QLatin1String("<td>") + RandomWord(rng);
            if (rng.Chance(50))
                html += QLatin1Char(' ') + RandomWord(rng);
            html += QLatin1String("</td>");
        }
        html += QLatin1String("</tr>\r\n");
    }
    html += QLatin1String("</table>\r\n");
}

QString BuildPage(int index, const PageContext& context)
{
    const GeneratorOptions& options = context.options;
    Xorshift rng(options.seed, quint64(index) + 1);
    const GeneratedTopic& topic = context.topics[index];
    const QString title = EscapeHtml(topic.title);
    const bool withScript = rng.Chance(25);
    const int paragraphs = options.paragraphsPerPage;

    // Spread links and pictures over the paragraphs; with no paragraphs they
    // all go to one closing paragraph.
    const int places = qMax(1, paragraphs);
    QVector<int> linksIn(places, 0);
    QVector<int> picturesIn(places, 0);
    if (context.topics.size() > 1) {
        for (int i = 0; i < options.linksPerPage; ++i)
            ++linksIn[rng.Below(places)];
    }
    for (int i = 0; i < options.picturesPerPage; ++i)
        ++picturesIn[rng.Below(places)];
    const int tableAfter = rng.Chance(20) ? rng.Below(places) : -1;

    QString html;
    html.reserve(4096 + paragraphs * 700);
    html += QLatin1String("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>\r\n<head>\r\n");
    // The http-equiv form: its "charset=" is followed by the name itself,
    // which is what charset scanners look for.
    html += QLatin1String("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n");
    html += QLatin1String("<title>") + title + QLatin1String("</title>\r\n");
    html += QLatin1String("<link rel=\"stylesheet\" type=\"text/css\" href=\"../../style.css\">\r\n");
    if (withScript)
        html += QLatin1String("<script type=\"text/javascript\" src=\"../../scripts/page.js\"></script>\r\n");
    html += QLatin1String("</head>\r\n");
    html += withScript ? QLatin1String("<body onload=\"pageLoaded()\">\r\n") : QLatin1String("<body>\r\n");
    html += QLatin1String("<h1><a name=\"top\"></a>") + title + QLatin1String("</h1>\r\n");

    for (int p = 0; p < places; ++p) {
        if (p < paragraphs && p % 2 == 0) {
            html += QStringLiteral("<h2><a name=\"s%1\"></a>").arg(p / 2 + 1);
            html += Capitalized(RandomWord(rng)) + QLatin1Char(' ') + RandomWord(rng);
            html += QLatin1String("</h2>\r\n");
        }
        html += rng.Chance(10) ? QLatin1String("<p class=\"note\">") : QLatin1String("<p>");
        const int sentences = p < paragraphs ? rng.Between(2, 6) : 0;
        for (int s = 0; s < sentences; ++s)
            AppendSentence(html, rng);
        for (int l = 0; l < linksIn[p]; ++l)
            AppendLink(html, context, index, rng);
        html += QLatin1String("</p>\r\n");
        if (p == 0 && paragraphs > 0)
            AppendList(html, rng);
        if (p == tableAfter)
            AppendTable(html, rng);
        for (int i = 0; i < picturesIn[p]; ++i)
            AppendPicture(html, context, rng);
    }

    if (rng.Chance(12)) {
        html += QLatin1String("<p>Outside this help: <a href=\"http://www.example.com/support/");
        html += QString::number(rng.Below(1000));
        html += QLatin1String(".html\" target=\"_blank\">support site</a>.</p>\r\n");
    }
    html += QLatin1String("<p class=\"backtotop\"><a href=\"#top\">Back to top</a></p>\r\n</body>\r\n</html>\r\n");
    return html;
}

GeneratorOptions Sanitized(GeneratorOptions options)
{
    options.topicCount = qMax(0, options.topicCount);
    options.maxDepth = qMax(1, options.maxDepth);
    options.paragraphsPerPage = qMax(0, options.paragraphsPerPage);
    options.picturesPerPage = qMax(0, options.picturesPerPage);
    options.linksPerPage = qMax(0, options.linksPerPage);
    options.keywordsPerTopic = qMax(0, options.keywordsPerTopic);
    options.pagesPerFolder = qMax(1, options.pagesPerFolder);
    return options;
}

QString NativeRoot(const QString& rootDir)
{
    QString root = QDir::cleanPath(QFileInfo(rootDir).absoluteFilePath());
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return root;
}

GeneratedProject Failed(const QString& message, QString* errorMessage)
{
    if (errorMessage)
        *errorMessage = message;
    return {};
}

} // namespace

GeneratedProject GenerateProject(const QString& rootDir, const GeneratorOptions& requested, QString* errorMessage)
{
    if (rootDir.trimmed().isEmpty())
        return Failed(QStringLiteral("No output folder given"), errorMessage);
    const GeneratorOptions options = Sanitized(requested);

    GeneratedProject project;
    project.rootDir = QDir::toNativeSeparators(NativeRoot(rootDir));
    project.title = QStringLiteral("Synthetic Help (seed %1)").arg(options.seed);

    // The table of contents first: pages link to other topics by their titles.
    Xorshift rng(options.seed);
    const QVector<int> levels = MakeLevels(options.topicCount, options.maxDepth, rng);
    const QStringList keywordPool =
        MakeKeywordPool(qMax(16, qMax(options.keywordsPerTopic * 4, options.topicCount / 3)), rng);
    int nextContextNumber = 1000;
    project.topics.reserve(options.topicCount);
    for (int i = 0; i < options.topicCount; ++i) {
        GeneratedTopic topic;
        topic.title = MakeTitle(rng);
        topic.level = levels[i];
        topic.url = QLatin1String("topics\\") + FolderName(i / options.pagesPerFolder) + QLatin1Char('\\') + PageName(i);
        topic.keywords = PickKeywords(keywordPool, options.keywordsPerTopic, rng);
        if (rng.Chance(25))
            topic.contextNumber = QString::number(nextContextNumber++);
        project.topics.append(topic);
    }

    FileWriter writer(NativeRoot(rootDir));
    const int folderCount = (options.topicCount + options.pagesPerFolder - 1) / options.pagesPerFolder;
    if (!writer.MakeFolder(QString()) || !writer.MakeFolder(QStringLiteral("images"))
        || !writer.MakeFolder(QStringLiteral("scripts")))
        return Failed(writer.Error(), errorMessage);
    for (int folder = 0; folder < folderCount; ++folder) {
        if (!writer.MakeFolder(QLatin1String("topics/") + FolderName(folder)))
            return Failed(writer.Error(), errorMessage);
    }

    const QVector<Picture> contentPictures = ContentPictures();
    QVector<Picture> allPictures = contentPictures;
    allPictures += StylePictures();
    for (const Picture& picture : allPictures) {
        if (!writer.Write(picture.path, picture.bytes))
            return Failed(writer.Error(), errorMessage);
        project.resourceFiles.append(QString(picture.path).replace(QLatin1Char('/'), QLatin1Char('\\')));
    }
    if (!writer.Write(QStringLiteral("style.css"), QByteArray(kStyleSheet)))
        return Failed(writer.Error(), errorMessage);
    project.resourceFiles.append(QStringLiteral("style.css"));
    if (!writer.Write(QStringLiteral("scripts/page.js"), QByteArray(kScript)))
        return Failed(writer.Error(), errorMessage);
    project.resourceFiles.append(QStringLiteral("scripts\\page.js"));

    const PageContext context{options, project.topics, contentPictures, (options.paragraphsPerPage + 1) / 2};
    for (int i = 0; i < options.topicCount; ++i) {
        const QString relative = QLatin1String("topics/") + FolderName(i / options.pagesPerFolder) + QLatin1Char('/') + PageName(i);
        if (!writer.Write(relative, BuildPage(i, context).toUtf8()))
            return Failed(writer.Error(), errorMessage);
    }

    project.fileCount = writer.Files();
    project.byteCount = writer.Bytes();
    if (errorMessage)
        errorMessage->clear();
    return project;
}
