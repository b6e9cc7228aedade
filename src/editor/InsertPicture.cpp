#include "InsertPicture.h"

#include "IUserPrompts.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace {

const QString CopyQuestion = QStringLiteral(
    "The pictures you selected are outside of the project folder. You should copy then into the project folder or "
    "its subfolders. \r\nWould you like to copy them there now?");
const QString BlankWarning = QStringLiteral(
    "Some picture filenames have blank spaces that may cause problems when printing the chm file! We don't "
    "recommend you to use this kind of filename.");

QString attributeText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&amp;"))
        .replace(QLatin1Char('"'), QLatin1String("&quot;"))
        .replace(QLatin1Char('<'), QLatin1String("&lt;"))
        .replace(QLatin1Char('>'), QLatin1String("&gt;"));
}

QString imageTag(const QString& source)
{
    return QStringLiteral("<img alt=\"\" src=\"") + attributeText(source) + QStringLiteral("\">");
}

// The same file, also through links or another spelling of its path.
bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool inside(const QString& file, const QString& folder)
{
    const QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + QLatin1Char('/');
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath()).startsWith(dir);
}

// Copies through a temporary file, so a failed copy leaves the target as it was.
QString copyFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    if (out.write(in.readAll()) < 0 || in.error() != QFileDevice::NoError)
        return out.errorString();
    if (!out.commit())
        return out.errorString();
    return QString();
}

} // namespace

TPictureInsert PreparePictures(const QStringList& pictures, const QString& pageFolder, const QString& projectFolder,
                               IUserPrompts& prompts)
{
    TPictureInsert result;
    if (pictures.isEmpty())
        return result;
    result.LastFolder = QFileInfo(pictures.front()).absolutePath();
    const QString base = WithTrailingSeparator(QDir::cleanPath(pageFolder));
    bool blank = false;
    auto relative = [&](const QString& file) {
        const QString path = RelativeUrl(base, QDir::cleanPath(file));
        blank = blank || path.contains(QLatin1Char(' '));
        result.Html += imageTag(path);
    };

    QStringList outside;
    for (const QString& picture : pictures) {
        if (inside(picture, projectFolder))
            relative(picture);
        else
            outside.append(picture);
    }
    if (!outside.isEmpty()) {
        const bool copy = prompts.Message(IUserPrompts::Kind::Information, CopyQuestion,
                                          IUserPrompts::Yes | IUserPrompts::No)
            == IUserPrompts::Yes;
        for (const QString& picture : std::as_const(outside)) {
            if (!copy) {
                result.Html += imageTag(QUrl::fromLocalFile(picture).toString(QUrl::FullyEncoded));
                continue;
            }
            // The overwrite question is asked here, where a picture's own
            // source can be told from another file of the same name.
            const QString target = prompts.ChooseSaveFile(QStringLiteral("Save as"), QStringLiteral("All file(*.*)|*.*"),
                                                          base, QFileInfo(picture).fileName(), QString(), false);
            if (target.isEmpty())
                continue; // nothing copied, nothing to refer to
            if (sameFile(picture, target)) {
                relative(target);
                continue;
            }
            if (QFileInfo::exists(target)
                && prompts.Confirm(QStringLiteral("\"%1\" already exists.\r\nDo you want to replace it?")
                                       .arg(QDir::toNativeSeparators(target)),
                                   IUserPrompts::Yes | IUserPrompts::No)
                    != IUserPrompts::Yes)
                continue;
            const QString error = copyFile(picture, target);
            if (!error.isEmpty()) {
                prompts.ShowError(QStringLiteral("Cannot copy \"%1\" to \"%2\": %3")
                                      .arg(QDir::toNativeSeparators(picture), QDir::toNativeSeparators(target), error));
                continue;
            }
            result.Copied.append(target);
            relative(target);
        }
    }
    if (blank)
        prompts.Message(IUserPrompts::Kind::Warning, BlankWarning, IUserPrompts::Yes);
    return result;
}
