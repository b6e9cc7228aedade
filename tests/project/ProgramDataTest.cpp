// The data files the build puts beside the programs: the page models and the
// built-in page templates must be where ProgramDataFolder() looks, carry the
// placeholders the program fills, and take along every file they use.

#include "PageFiles.h"
#include "PageParts.h"
#include "ProgramFolder.h"
#include "TIniFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSize>
#include <QtEndian>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString dataFile(const QString& relative)
{
    return QDir(ProgramDataFolder()).filePath(relative);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool containsNoCase(const QString& text, const char* tag)
{
    return text.contains(QLatin1String(tag), Qt::CaseInsensitive);
}

// Relative files a page or style sheet names in src="...", href="..." or
// url(...): addresses, anchors, absolute paths and placeholders are skipped.
QStringList relativeReferences(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:\b(?:src|href)\s*=\s*["']([^"']*)["'])|(?:url\(\s*["']?([^"')]*)["']?\s*\)))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList references;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text)) {
        QString reference = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        reference = reference.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('?'), 0, 0).trimmed();
        if (reference.isEmpty() || reference.contains(QLatin1Char(':')) || reference.startsWith(QLatin1Char('/'))
            || reference.contains(QLatin1String("($")))
            continue;
        references.append(reference);
    }
    return references;
}

// Width and height from a PNG, GIF or JPEG header; 0 x 0 when the bytes are
// not a whole picture of that kind.
QSize pictureSize(const QByteArray& bytes, const QString& suffix)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (suffix == QLatin1String("png")) {
        static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
        static const QByteArray end("\0\0\0\0IEND\xae\x42\x60\x82", 12);
        if (bytes.size() < 45 || !bytes.startsWith(signature) || bytes.mid(12, 4) != "IHDR" || !bytes.endsWith(end))
            return {};
        return QSize(int(qFromBigEndian<quint32>(data + 16)), int(qFromBigEndian<quint32>(data + 20)));
    }
    if (suffix == QLatin1String("gif")) {
        if (bytes.size() < 14 || !(bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) || !bytes.endsWith(';'))
            return {};
        return QSize(qFromLittleEndian<quint16>(data + 6), qFromLittleEndian<quint16>(data + 8));
    }
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        if (bytes.size() < 4 || !bytes.startsWith("\xff\xd8") || !bytes.endsWith("\xff\xd9"))
            return {};
        return QSize(1, 1); // the frame header may lie anywhere; the markers are enough
    }
    return {};
}

struct CatalogueEntry {
    QString section;
    QString name;
    QString img;
    QString path;
    QString fileName;
};

// Sections "Template1".."TemplateN" of the catalogue; fails the test when a
// number is missing in between, since the program stops reading at the gap.
QList<CatalogueEntry> readCatalogue()
{
    const QByteArray bytes = readBytes(dataFile(QStringLiteral("templates/templates.ini")));
    // Read without a byte-order mark as the system code page: only ASCII is the same everywhere.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 128; });
    EXPECT_TRUE(ascii || bytes.startsWith("\xef\xbb\xbf"))
        << "templates.ini needs a UTF-8 byte-order mark for non-ASCII text";
    const TIniFile ini = TIniFile::FromBytes(bytes);

    static const QRegularExpression header(QStringLiteral(R"(^\s*\[\s*Template(\d+)\s*\])"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    QList<int> numbers;
    for (const QRegularExpressionMatch& match : header.globalMatch(QString::fromUtf8(bytes)))
        numbers.append(match.captured(1).toInt());
    std::sort(numbers.begin(), numbers.end());
    for (int i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], i + 1) << "template sections must be numbered 1, 2, ... without gaps";

    QList<CatalogueEntry> entries;
    for (int n = 1; n <= numbers.size(); ++n) {
        const QString section = QStringLiteral("Template%1").arg(n);
        entries.append({section, ini.ReadString(section, u"Name", QString()), ini.ReadString(section, u"Img", QString()),
            ini.ReadString(section, u"Path", QString()),
            ini.ReadString(section, u"FileName", QStringLiteral("index.htm"))});
    }
    return entries;
}

TEST(ProgramDataTest, PageModelsDeclareTheCharsetPlaceholder)
{
    struct Case {
        const char* file;
        bool isTemplate;
    };
    for (const Case& c : {Case{"new.htm", false}, Case{"newtemp.htm", true}}) {
        SCOPED_TRACE(c.file);
        const QString path = dataFile(QString::fromLatin1(c.file));
        ASSERT_TRUE(QFileInfo(path).isFile()) << path.toStdString();
        const QString page = ReadTextFile(path);
        // The charset routines read the value after "charset=", so the
        // placeholder must be that value for the project's charset to land there.
        EXPECT_EQ(GetCharset(page).toStdString(), "($charset$)");
        EXPECT_FALSE(FindTag(page, QStringLiteral("title")).isEmpty());
        EXPECT_FALSE(GetBodyTag(page).isEmpty());
        for (const QString& reference : relativeReferences(page))
            EXPECT_TRUE(QFileInfo(QFileInfo(path).dir().filePath(reference)).isFile()) << reference.toStdString();
        if (c.isTemplate) {
            for (const char* tag : {"($title$)", "($navigation$)", "($prev$)", "($next$)", "($content$)"})
                EXPECT_TRUE(containsNoCase(page, tag)) << tag;
        }
    }
}

TEST(ProgramDataTest, CatalogueTemplatesAreComplete)
{
    const QList<CatalogueEntry> entries = readCatalogue();
    ASSERT_GE(entries.size(), 2);
    const QDir catalogue(dataFile(QStringLiteral("templates")));

    for (const CatalogueEntry& entry : entries) {
        SCOPED_TRACE(entry.section.toStdString());
        EXPECT_FALSE(entry.name.isEmpty());
        const QString preview = catalogue.filePath(entry.img);
        EXPECT_FALSE(entry.img.isEmpty());
        EXPECT_TRUE(QFileInfo(preview).isFile()) << preview.toStdString();

        const QDir folder(catalogue.filePath(entry.path));
        ASSERT_FALSE(entry.path.isEmpty());
        ASSERT_TRUE(folder.exists()) << folder.path().toStdString();
        const QString mainPage = ReadTextFile(folder.filePath(entry.fileName));
        ASSERT_FALSE(mainPage.isEmpty()) << entry.fileName.toStdString();
        EXPECT_TRUE(containsNoCase(mainPage, "($charset$)"));
        // What the editor's check of a template page asks for.
        EXPECT_TRUE(containsNoCase(mainPage, "($title$)"));
        EXPECT_TRUE(containsNoCase(mainPage, "($content$)"));

        // Every page and style sheet of the template finds what it names, so a
        // copy of the folder is complete.
        QDirIterator it(folder.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.css")},
            QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QDir base = QFileInfo(file).dir();
            for (const QString& reference : relativeReferences(ReadTextFile(file)))
                EXPECT_TRUE(QFileInfo(base.filePath(reference)).isFile())
                    << folder.relativeFilePath(file).toStdString() << " names " << reference.toStdString();
        }

        // Buttons are recognised only as bare names beside the main page, and
        // the first and last pages show the greyed form of the same size.
        static const QRegularExpression button(QStringLiteral(R"(src\s*=\s*["']?([^"'\s>]*btn_(prev|next)_n\.(\w+)))"));
        int buttons = 0;
        for (const QRegularExpressionMatch& match : button.globalMatch(mainPage)) {
            ++buttons;
            const QString source = match.captured(1);
            EXPECT_FALSE(source.contains(QLatin1Char('/'))) << source.toStdString();
            const QString suffix = match.captured(3).toLower();
            const QString greyed = QStringLiteral("btn_%1_g.%2").arg(match.captured(2), suffix);
            const QSize normalSize = pictureSize(readBytes(folder.filePath(source)), suffix);
            const QSize greyedSize = pictureSize(readBytes(folder.filePath(greyed)), suffix);
            EXPECT_TRUE(normalSize.isValid() && greyedSize == normalSize) << greyed.toStdString();
        }
        EXPECT_EQ(buttons, 2) << "a previous and a next button";
    }
}

TEST(ProgramDataTest, PicturesAreWholeFiles)
{
    int pictures = 0;
    QDirIterator it(ProgramDataFolder(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix != QLatin1String("png") && suffix != QLatin1String("gif") && suffix != QLatin1String("jpg")
            && suffix != QLatin1String("jpeg"))
            continue;
        ++pictures;
        const QSize size = pictureSize(readBytes(file), suffix);
        EXPECT_TRUE(size.width() > 0 && size.height() > 0 && size.width() <= 4096 && size.height() <= 4096)
            << file.toStdString();
    }
    EXPECT_GT(pictures, 0);
}

} // namespace
