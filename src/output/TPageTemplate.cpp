#include "TPageTemplate.h"

#include "MakePages.h"
#include "Paths.h"
#include "THTMLRefer.h"

#include <QFileInfo>

namespace {

QString folderOf(const QString& file)
{
    return WithTrailingSeparator(QFileInfo(file).absolutePath());
}

} // namespace

TPageTemplate::TPageTemplate(const TExtensionList& extensions)
    : m_extensions(extensions)
{
}

void TPageTemplate::Load(const QString& templateFile, TSortedFileList& copyList)
{
    PN = TPrevNext();
    Folder = folderOf(templateFile);
    const QString prepared = PrepareTemplate(templateFile, PN, copyList);
    THTMLRefer(m_extensions).GetTemplate(prepared, Folder, Pieces);
    m_rebased = false;
}

const QString& TPageTemplate::TextFor(const QString& pageFile)
{
    const QString pageFolder = folderOf(pageFile);
    if (!m_rebased || pageFolder != m_pageFolder) {
        m_text = RebaseTemplate(Pieces, Folder, pageFolder);
        m_pageFolder = pageFolder;
        m_rebased = true;
    }
    return m_text;
}

QString TPageTemplate::Merge(const QString& pageFile, TMakePagesPara para)
{
    para.tempPath = RelativePath(pageFile, Folder);
    para.PN = &PN;
    return MakePage(TextFor(pageFile), para);
}
