#include "TWebEngineDHTMLEdit.h"

#include "EditorCalls.h"
#include "EditorScript.h"
#include "QuorixError.h"
#include "TEditorBridge.h"
#include "TEditorView.h"
#include "TFindDialog.h"
#include "TPageUrlScheme.h"

#include <QClipboard>
#include <QEventLoop>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QtDebug>
#include <iterator>
#include <utility>

using namespace DHTMLEdit;

namespace {

// The web channel's client and the editor's script, in the editor's own
// world, before the page's content exists.
QWebEngineScript editorScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("quorix-editor"));
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(EditorPageScript());
    return script;
}

bool isKnownCommand(int id)
{
    switch (id) {
    case DECMD_BOLD: case DECMD_COPY: case DECMD_CUT: case DECMD_DELETE: case DECMD_DELETECOLS:
    case DECMD_DELETEROWS: case DECMD_FINDTEXT: case DECMD_FONT: case DECMD_GETBLOCKFMT:
    case DECMD_GETBLOCKFMTNAMES: case DECMD_GETFONTNAME: case DECMD_GETFONTSIZE: case DECMD_INDENT:
    case DECMD_INSERTCOL: case DECMD_INSERTROW: case DECMD_ITALIC: case DECMD_JUSTIFYCENTER:
    case DECMD_JUSTIFYLEFT: case DECMD_JUSTIFYRIGHT: case DECMD_ORDERLIST: case DECMD_OUTDENT:
    case DECMD_PASTE: case DECMD_REMOVEFORMAT: case DECMD_SELECTALL: case DECMD_SETBACKCOLOR:
    case DECMD_SETBLOCKFMT: case DECMD_SETFONTNAME: case DECMD_SETFONTSIZE: case DECMD_SETFORECOLOR:
    case DECMD_UNDERLINE: case DECMD_UNORDERLIST:
        return true;
    default:
        return false;
    }
}

// <font size> 1-7 and the point sizes a font dialog shows for them.
constexpr int PointsOfSize[] = {8, 10, 12, 14, 18, 24, 36};
constexpr int LargestFontSize = int(std::size(PointsOfSize));

int sizeOfPoints(int points)
{
    int size = 1;
    for (int i = 0; i < LargestFontSize; ++i) {
        if (points >= PointsOfSize[i])
            size = i + 1;
    }
    return size;
}

// The doctype at the start of a page's text (after blanks and comments).
QString sourceDoctype(const QString& html)
{
    static const QRegularExpression doctype(QStringLiteral("^\\s*(?:<!--.*?-->\\s*)*(<!DOCTYPE[^>]*>)"),
                                            QRegularExpression::CaseInsensitiveOption
                                                | QRegularExpression::DotMatchesEverythingOption);
    return doctype.match(html).captured(1);
}

const QString EmptyDocument = QStringLiteral("<html><head><title></title></head><body></body></html>");

// How long reading the page waits for keys sent to it: a healthy page takes
// them in milliseconds.
constexpr int FlushTimeoutMs = 1000;

// The name of the tag starting at `at` ("<name" or "</name"), lower case.
QString tagNameAt(const QString& html, qsizetype at)
{
    qsizetype end = at;
    while (end < html.size() && (html[end].isLetterOrNumber() || html[end] == QLatin1Char('-')))
        ++end;
    return html.mid(at, end - at).toLower();
}

// Past the ">" that ends the tag started at `at`, quoted values skipped.
qsizetype afterTag(const QString& html, qsizetype at)
{
    QChar quote;
    for (qsizetype i = at; i < html.size(); ++i) {
        const QChar c = html[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return i + 1;
        }
    }
    return html.size();
}

// For every table of a page's text, in document order, whether it writes
// its <tbody>: the parser adds one to those that do not, and the page's
// script leaves it out again whenever the page is read.
QVariantList explicitTableBodies(const QString& html)
{
    // Elements whose content is text, not markup (scripts of the page stay
    // off, so <noscript> holds markup); <template> content is no part of
    // the document.
    static const QStringList rawText{QStringLiteral("script"), QStringLiteral("style"), QStringLiteral("textarea"),
                                     QStringLiteral("title"), QStringLiteral("xmp"), QStringLiteral("iframe"),
                                     QStringLiteral("noembed"), QStringLiteral("noframes"), QStringLiteral("template")};
    QVariantList tables;
    QList<qsizetype> open;
    qsizetype i = 0;
    while ((i = html.indexOf(QLatin1Char('<'), i)) >= 0) {
        if (QStringView(html).mid(i, 4) == u"<!--") {
            const qsizetype end = html.indexOf(QStringLiteral("-->"), i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == QLatin1Char('/');
        const QString name = tagNameAt(html, i + (closing ? 2 : 1));
        if (name.isEmpty()) {
            ++i;
            continue;
        }
        const qsizetype next = afterTag(html, i);
        if (closing) {
            if (name == QLatin1String("table") && !open.isEmpty())
                open.removeLast();
        } else if (name == QLatin1String("table")) {
            open.append(tables.size());
            tables.append(false);
        } else if (name == QLatin1String("tbody") && !open.isEmpty()) {
            tables[open.last()] = true;
        } else if (name == QLatin1String("plaintext")) {
            break;
        } else if (rawText.contains(name)) {
            const qsizetype end = html.indexOf(QStringLiteral("</") + name, next, Qt::CaseInsensitive);
            i = end < 0 ? html.size() : end;
            continue;
        }
        i = next;
    }
    return tables;
}

} // namespace

TWebEngineDHTMLEdit::TWebEngineDHTMLEdit(QWidget* parent)
    : QWidget(parent)
    , m_view(new TEditorView(this))
    , m_bridge(new TEditorBridge(m_view->page(), this))
    , m_document(m_bridge)
    , m_pageId(TPageUrlScheme::NewPageId())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    QWebEnginePage* page = m_view->page();
    page->scripts().insert(editorScript());
    auto* channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("control"), m_bridge);
    page->setWebChannel(channel, QWebEngineScript::ApplicationWorld);

    m_bridge->BeforeCall = [this] {
        waitForDocument();
        Flush(); // every call sees the keys typed before it
    };
    connect(page, &QWebEnginePage::loadingChanged, this, &TWebEngineDHTMLEdit::loadingChanged);
    connect(m_bridge, &TEditorBridge::changed, this, &TWebEngineDHTMLEdit::scheduleDisplayChanged);
    connect(m_view, &TEditorView::contextMenuRequested, this, &TWebEngineDHTMLEdit::showContextMenu);
    connect(m_view, &TEditorView::keySent, m_bridge, &TEditorBridge::noteKeySent);
    connect(m_view, &TEditorView::commandKey, this, &TWebEngineDHTMLEdit::runKeyCommand);
    // What came while a call waited is told once it is answered.
    connect(m_bridge, &TEditorBridge::waitsEnded, this, [this] {
        if (std::exchange(m_completeAfterCall, false))
            m_completeTimer.start();
        if (std::exchange(m_displayAfterCall, false))
            m_displayTimer.start();
    });

    // A timer, not a posted event: handlers that call the page wait in an
    // event loop of their own, which a posted event's handler may not get.
    m_completeTimer.setSingleShot(true);
    m_completeTimer.setInterval(0);
    connect(&m_completeTimer, &QTimer::timeout, this, [this] {
        if (m_bridge->inCall()) {
            m_completeAfterCall = true; // not inside a call that waits for the page
            return;
        }
        if (!m_busy && OnDocumentComplete)
            OnDocumentComplete();
    });
    m_displayTimer.setSingleShot(true);
    m_displayTimer.setInterval(0);
    connect(&m_displayTimer, &QTimer::timeout, this, [this] {
        // Told only between calls, never inside one that waits for the page.
        if (m_bridge->inCall()) {
            m_displayAfterCall = true;
            return;
        }
        if (!m_busy && OnDisplayChanged) {
            // The handler reads the record the page pushed with the change.
            const bool outer = !m_inDisplayChanged;
            m_inDisplayChanged = true;
            try {
                OnDisplayChanged();
            } catch (...) {
                m_inDisplayChanged = !outer;
                throw;
            }
            m_inDisplayChanged = !outer;
        }
    });
}

TWebEngineDHTMLEdit::~TWebEngineDHTMLEdit()
{
    TPageUrlScheme::ForgetPage(m_pageId);
    // The page goes before the profile it belongs to.
    delete m_view;
}

QWebEngineView* TWebEngineDHTMLEdit::view() const
{
    return m_view;
}

QString TWebEngineDHTMLEdit::DocumentHTML()
{
    if (!stateReadable())
        return m_html;
    return m_bridge->call(EditorCall::DocumentHtml).toString();
}

bool TWebEngineDHTMLEdit::Busy() const
{
    // A handler run while a call waits for the page (a timer) must not call
    // it again: the page would answer neither.
    return m_busy || m_bridge->inCall();
}

void TWebEngineDHTMLEdit::Flush()
{
    // The wait asks the page itself: its calls do not wait again.
    if (m_flushing || !stateReadable() || !m_bridge->keysPending())
        return;
    m_flushing = true;
    const auto done = qScopeGuard([this] { m_flushing = false; });
    if (!m_bridge->waitForKeys(FlushTimeoutMs))
        qWarning("Quorix: the editor's page did not take every key sent to it");
}

QVariantMap TWebEngineDHTMLEdit::pageState()
{
    return m_inDisplayChanged ? m_bridge->state() : m_bridge->freshState();
}

QVariant TWebEngineDHTMLEdit::recorded(const QString& name)
{
    return m_inDisplayChanged ? m_bridge->state().value(name) : QVariant();
}

quint64 TWebEngineDHTMLEdit::ChangeCount()
{
    const quint64 page = quint64(quint32(m_generation)) << 32;
    if (!stateReadable())
        return page;
    return page | quint32(pageState().value(QStringLiteral("changes")).toUInt());
}

QString TWebEngineDHTMLEdit::SelectionBookmark()
{
    if (!stateReadable())
        return QString::fromUtf16(SelectionNoneRecord);
    return pageState().value(QStringLiteral("bookmark")).toString();
}

bool TWebEngineDHTMLEdit::SelectBookmark(const QString& bookmark)
{
    return m_bridge->call(EditorCall::SelectBookmark, {bookmark}).toBool();
}

void TWebEngineDHTMLEdit::runKeyCommand(int cmdID)
{
    if (m_busy || !isEnabled())
        return;
    if (OnKeyCommand)
        OnKeyCommand(cmdID);
    else if (QueryStatus(cmdID) >= DECMDF_ENABLED)
        ExecCommand(cmdID);
}

void TWebEngineDHTMLEdit::SetDocumentHTML(const QString& html)
{
    m_html = html;
    m_keepDirty = false;
    requestLoad();
}

void TWebEngineDHTMLEdit::SetBaseURL(const QString& folder)
{
    if (folder == m_baseUrl)
        return;
    if (!m_busy && m_loaded) {
        // Moving a page keeps what the author changed in it.
        m_html = DocumentHTML();
        m_keepDirty = IsDirty();
        m_baseUrl = folder;
        requestLoad();
        return;
    }
    m_baseUrl = folder;
    if (m_busy)
        requestLoad();
}

void TWebEngineDHTMLEdit::SetShowBorders(bool show)
{
    m_showBorders = show;
    applyView();
}

void TWebEngineDHTMLEdit::SetShowDetails(bool show)
{
    m_showDetails = show;
    applyView();
}

void TWebEngineDHTMLEdit::applyView()
{
    if (!m_busy && m_loaded)
        m_bridge->call(EditorCall::SetView, {m_showBorders, m_showDetails});
    // While loading, the page takes both switches when it is set up.
}

bool TWebEngineDHTMLEdit::IsDirty()
{
    if (!stateReadable())
        return m_keepDirty && m_busy;
    const QVariant dirty = recorded(QStringLiteral("dirty"));
    return dirty.isValid() ? dirty.toBool() : m_bridge->call(EditorCall::IsDirty).toBool();
}

void TWebEngineDHTMLEdit::NewDocument()
{
    SetDocumentHTML(EmptyDocument);
}

void TWebEngineDHTMLEdit::requestLoad()
{
    m_busy = true;
    m_bridge->setGeneration(++m_generation);
    if (!m_loadPending) {
        m_loadPending = true;
        // Setting the page and then its folder makes one load.
        QTimer::singleShot(0, this, &TWebEngineDHTMLEdit::startLoad);
    }
}

void TWebEngineDHTMLEdit::startLoad()
{
    m_loadPending = false;
    if (!m_busy)
        return;
    m_view->load(TPageUrlScheme::ServePage(m_pageId, m_html, m_baseUrl, m_generation));
}

void TWebEngineDHTMLEdit::loadingChanged(const QWebEngineLoadingInfo& info)
{
    if (info.status() != QWebEngineLoadingInfo::LoadSucceededStatus
        && info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
        return;
    const int generation = TPageUrlScheme::RevisionOf(info.url());
    if (TPageUrlScheme::PageIdOf(info.url()) != m_pageId || generation != m_generation || m_loadPending)
        return; // an earlier load, overtaken by a newer one
    if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus)
        qWarning().noquote() << "Quorix: the editor could not load its page:" << info.errorString();

    const QVariantList args{m_showBorders, m_showDetails, m_keepDirty, sourceDoctype(m_html), m_generation,
                            explicitTableBodies(m_html)};
    QPointer<TWebEngineDHTMLEdit> self(this);
    m_view->page()->runJavaScript(TEditorBridge::CallScript(EditorCall::Init, args), QWebEngineScript::ApplicationWorld, [self, generation](const QVariant& answer) {
        if (!self || generation != self->m_generation || self->m_loadPending)
            return;
        // Keys count from here: those sent while the page loaded went to none.
        self->m_bridge->setGeneration(generation);
        self->m_bridge->adoptAnswer(answer);
        self->m_busy = false;
        self->m_loaded = true;
        self->m_keepDirty = false;
        emit self->documentLoaded();
        // Handlers run from the event loop, not inside a call waiting for the page.
        self->m_completeTimer.start();
    });
}

bool TWebEngineDHTMLEdit::WaitUntilLoaded(int timeoutMs)
{
    if (!m_busy)
        return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &TWebEngineDHTMLEdit::documentLoaded, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    while (m_busy && timeout.isActive())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return !m_busy;
}

void TWebEngineDHTMLEdit::waitForDocument()
{
    if (!m_loaded && !m_busy)
        NewDocument(); // a control that never had a page gets an empty one
    if (!WaitUntilLoaded())
        throw EQuorixError(QStringLiteral("The editor's page did not load."));
}

void TWebEngineDHTMLEdit::scheduleDisplayChanged()
{
    if (!m_displayTimer.isActive())
        m_displayTimer.start();
}

QVariant TWebEngineDHTMLEdit::ExecCommand(int cmdID, int option, const QVariant& inValue)
{
    Q_UNUSED(option);
    if (!isKnownCommand(cmdID))
        return false;
    switch (cmdID) {
    case DECMD_FINDTEXT:
        return showFindDialog();
    case DECMD_FONT:
        return showFontDialog();
    case DECMD_GETBLOCKFMTNAMES:
        return m_bridge->call(EditorCall::Exec, {cmdID}).toStringList();
    case DECMD_GETBLOCKFMT:
    case DECMD_GETFONTNAME:
    case DECMD_GETFONTSIZE: {
        static const QHash<int, QString> field{{DECMD_GETBLOCKFMT, QStringLiteral("blockFormat")},
                                               {DECMD_GETFONTNAME, QStringLiteral("fontName")},
                                               {DECMD_GETFONTSIZE, QStringLiteral("fontSize")}};
        const QVariant known = recorded(field.value(cmdID));
        const QVariant value = known.isValid() ? known : m_bridge->call(EditorCall::Exec, {cmdID});
        return cmdID == DECMD_GETFONTSIZE ? QVariant(value.toInt()) : QVariant(value.toString());
    }
    default:
        break;
    }
    const QVariant value = inValue.isValid() ? QVariant(inValue.toString()) : QVariant::fromValue(nullptr);
    return m_bridge->call(EditorCall::Exec, {cmdID, value});
}

int TWebEngineDHTMLEdit::QueryStatus(int cmdID)
{
    if (!isKnownCommand(cmdID))
        return DECMDF_NOTSUPPORTED;
    if (m_busy)
        return DECMDF_DISABLED;
    // While a display change is handled, from the page's state record: a
    // refresh of every tool button asks the page nothing.
    const QVariant known = recorded(QStringLiteral("status")).toMap().value(QString::number(cmdID));
    const int status = known.isValid() ? known.toInt() : m_bridge->call(EditorCall::Status, {cmdID}).toInt();
    if (cmdID == DECMD_PASTE && status >= DECMDF_ENABLED) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data == nullptr || data->formats().isEmpty())
            return DECMDF_DISABLED;
    }
    return status;
}

QVariant TWebEngineDHTMLEdit::showFindDialog()
{
    waitForDocument();
    if (m_findDialog.isNull()) {
        m_findDialog = new TFindDialog(
            [this](const QString& text, bool matchCase, bool backwards) {
                return m_bridge->call(EditorCall::Find, {text, matchCase, backwards}).toBool();
            },
            this);
    }
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
    return true;
}

QVariant TWebEngineDHTMLEdit::showFontDialog()
{
    const QVariantMap state = m_bridge->call(EditorCall::FontState).toMap();
    if (state.isEmpty())
        return false;
    QFont font(state.value(QStringLiteral("family")).toString());
    font.setPointSize(PointsOfSize[qBound(1, state.value(QStringLiteral("size")).toInt(), LargestFontSize) - 1]);
    font.setBold(state.value(QStringLiteral("bold")).toBool());
    font.setItalic(state.value(QStringLiteral("italic")).toBool());
    font.setUnderline(state.value(QStringLiteral("underline")).toBool());
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this, QStringLiteral("字体"));
    if (!ok)
        return false;
    auto run = [this](int id, const QVariant& value = QVariant::fromValue(nullptr)) {
        m_bridge->call(EditorCall::Exec, {id, value});
    };
    run(DECMD_SETFONTNAME, chosen.family());
    run(DECMD_SETFONTSIZE, QString::number(sizeOfPoints(chosen.pointSize())));
    if (chosen.bold() != font.bold())
        run(DECMD_BOLD);
    if (chosen.italic() != font.italic())
        run(DECMD_ITALIC);
    if (chosen.underline() != font.underline())
        run(DECMD_UNDERLINE);
    return true;
}

void TWebEngineDHTMLEdit::SetContextMenu(const QStringList& menuStrings, const QList<int>& menuStates)
{
    m_menuStrings = menuStrings;
    m_menuStates = menuStates;
}

void TWebEngineDHTMLEdit::showContextMenu(const QPoint& position, const QPoint& globalPosition)
{
    if (m_busy || !isEnabled())
        return;
    if (OnShowContextMenu)
        OnShowContextMenu(position.x(), position.y());
    if (m_menuStrings.isEmpty())
        return;
    delete m_contextMenu;
    m_contextMenu = new QMenu(this);
    m_contextMenu->setAttribute(Qt::WA_DeleteOnClose);
    for (int index = 0; index < m_menuStrings.size(); ++index) {
        const QString& text = m_menuStrings[index];
        if (text.isEmpty()) {
            m_contextMenu->addSeparator();
            continue;
        }
        QAction* action = m_contextMenu->addAction(text);
        action->setEnabled(m_menuStates.value(index, MenuNormal) != MenuGreyed);
        connect(action, &QAction::triggered, this, [this, index] {
            if (OnContextMenuAction)
                OnContextMenuAction(index);
        });
    }
    m_contextMenu->popup(globalPosition);
}
