// The files an output copies: the project's pages and everything they refer
// to, collected by THTMLRefer and kept inside the project folder.
#include "TContents.h"

#include "MakePages.h"
#include "Paths.h"
#include "THTMLRefer.h"
#include "TPageTemplate.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QFileInfo>

namespace {

// Files whose own references are collected too.
bool refersToFiles(const QString& path)
{
    static const QStringList extensions{".html", ".htm", ".xml", ".js", ".css", ".shtml", ".shtm", ".sht"};
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && extensions.contains(name.mid(dot).toLower());
}

} // namespace

QString TContents::ItemFilePath(const TContentsItem& item) const
{
    if (qrx == nullptr || qrx->RootDir.isEmpty() || item.Url.isEmpty() || IsWindowsAbsolutePath(item.Url))
        return QString();
    return ProjectFilePath(qrx->RootDir, item.Url);
}

QString TContents::PageUrl(const TContentsItem& item) const
{
    if (item.Status == StatusLinked && item.Accessible && qrx != nullptr && !qrx->RootDir.isEmpty()) {
        const auto read = m_pageFiles.constFind(item.Url);
        if (read != m_pageFiles.cend() && read->startsWith(qrx->RootDir))
            return read->mid(qrx->RootDir.size());
    }
    return ToSlashes(item.Url);
}

QString TContents::WithFileNames(const QString& pageFile, const QString& text)
{
    if (!m_refer || !m_refer->MatchedWithoutCase() || pageFile.isEmpty())
        return text;
    return m_refer->WithFileNames(text, WithTrailingSeparator(QFileInfo(pageFile).absolutePath()));
}

QString TContents::SettingFilePath(const QString& storedPath) const
{
    if (qrx == nullptr || qrx->RootDir.isEmpty() || TrimBlanks(storedPath).isEmpty()
        || IsWindowsAbsolutePath(storedPath))
        return QString();
    return ProjectFilePath(qrx->RootDir, SplitUrlAnchor(storedPath).Page);
}

void TContents::ConfineCopyList()
{
    if (!FileListForCopy.IsConfined())
        FileListForCopy.ConfineTo(qrx == nullptr || IsWindowsAbsolutePath(qrx->RootDir) ? QString() : qrx->RootDir);
}

void TContents::PrepareCopyFile()
{
    FileListForCopy.Clear();
    ExtensionList.Clear();
    m_refer.reset();
    m_scanned.clear();
    m_refused.clear();
    const QString root = qrx == nullptr || IsWindowsAbsolutePath(qrx->RootDir) ? QString() : qrx->RootDir;
    FileListForCopy.ConfineTo(root);
    if (root.isEmpty())
        return;
    ExtensionList.ScanProjectExtensions(root);
    for (const TItemList* items : {&ContentsItems, &NonContentsItems}) {
        for (const auto& item : *items) {
            if (item->Status != StatusLinked)
                continue;
            // A link to a part of a page ("page.htm#part") is no page Fill
            // read, but its page is linked all the same.
            const auto read = m_pageFiles.constFind(item->Url);
            const QString path = read != m_pageFiles.cend() ? *read
                : item->Accessible                          ? ItemFilePath(*item)
                                                            : SettingFilePath(item->Url);
            if (!path.isEmpty())
                GetAllRefers(path);
        }
    }
}

void TContents::CollectTemplateAndDefault(const QString& templatePath, const QString& defaultTopic)
{
    const QString templateFile = SettingFilePath(templatePath);
    if (!templateFile.isEmpty()) {
        GetAllRefers(templateFile);
        // Pages are merged into it; the template itself is no page of the output.
        FileListForCopy.Remove(templateFile);
    }
    const QString defaultFile = SettingFilePath(defaultTopic);
    if (!defaultFile.isEmpty())
        GetAllRefers(defaultFile);
}

void TContents::PrepareCopyFileForCHM()
{
    if (qrx != nullptr)
        CollectTemplateAndDefault(qrx->HtmlHelpTemplate, qrx->DefaultTopic);
}

void TContents::PrepareCopyFileForWebHelp()
{
    if (qrx != nullptr)
        CollectTemplateAndDefault(qrx->WebHelpTemplateSame ? qrx->HtmlHelpTemplate : qrx->WebHelpTemplate,
                                  qrx->WebHelpDefaultSame ? qrx->DefaultTopic : qrx->WebHelpDefault);
}

void TContents::PrepareCopyFileForSingleHtml()
{
    for (const auto& item : ContentsItems) {
        if (item->Accessible) {
            const QString path = ItemFilePath(*item);
            if (!path.isEmpty())
                FileListForCopy.Remove(path);
        }
    }
}

// Walks the references with a list of files still to scan rather than by
// recursion: chains of pages linking to their neighbours run as long as the
// project. Each file is scanned once, so reference cycles end.
void TContents::GetAllRefers(const QString& FileName)
{
    ConfineCopyList();
    if (!m_refer)
        m_refer = std::make_unique<THTMLRefer>(ExtensionList);
    const QString start = m_refer->ExistingFile(FileName);
    if (start.isEmpty() || m_scanned.contains(start.toLower()))
        return;
    const auto leaveOut = [this](const QString& path) {
        if (m_refused.contains(path.toLower()))
            return;
        m_refused.insert(path.toLower());
        ReadInfo(this, QStringLiteral("Not copied: \"%1\" lies outside the project folder.").arg(path));
    };
    if (!FileListForCopy.Allows(start)) {
        leaveOut(start);
        return;
    }

    QStringList pending{start};
    while (!pending.isEmpty()) {
        const QString file = pending.takeLast();
        const QString key = file.toLower();
        m_scanned.insert(key);
        QStringList found;
        const auto loaded = m_pageTexts.constFind(key);
        if (loaded != m_pageTexts.cend())
            m_refer->GetFiles(file, *loaded, found);
        else
            m_refer->GetFiles(file, found);
        for (const QString& path : std::as_const(found)) {
            if (FileListForCopy.Contains(path))
                continue;
            if (!FileListForCopy.Add(path)) {
                leaveOut(path);
                continue;
            }
            if (refersToFiles(path) && !m_scanned.contains(path.toLower()))
                pending.append(path);
        }
    }
}

void TContents::MakeTemplatedPages(TPageTemplate& pageTemplate, const TTemplatedPageEvent& write,
                                   const TPageParaEvent& customize)
{
    ConfineCopyList();
    for (const auto& item : ContentsItems) {
        if (!item->Accessible || item->ApplyTemp)
            continue;
        const QString pageFile = ItemFilePath(*item);
        if (item->Status == StatusLinked && !FileListForCopy.Allows(pageFile))
            continue;
        TMakePagesPara para;
        para.Title = item->Title;
        para.Page = item->All;
        para.Previous = item->LastPage;
        para.Next = item->NextPage;
        para.Nav = item->Navigation;
        if (customize)
            customize(*item, para);
        para.Page = WithFileNames(pageFile, para.Page);
        write(*item, pageTemplate.Merge(pageFile, para));
    }
}
