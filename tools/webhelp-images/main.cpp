// Draws the images of the web help set: tree lines and expanders ("imgs"),
// the topic icons drawn from the program's own tree pictures ("icons"), richer
// versions of the default icons ("ricons"), the tool bar buttons ("images")
// and the title bar backgrounds ("bg").
//
//   webhelp-images <folder of the tree pictures (NN.svg)> <web help set folder>

#include "GifWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int Cell = 20;           // every tree image is one row high
constexpr int CenterX = 9;         // where the vertical lines run
constexpr int CenterY = 10;        // where the horizontal lines run
const QColor LineColour(0xb4, 0xbe, 0xc9);
const QColor BoxColour(0x7b, 0x87, 0x94);
const QColor MarkColour(0x3d, 0x4a, 0x57);

QString g_output;

void Fail(const QString& message)
{
    std::fprintf(stderr, "webhelp-images: %s\n", qPrintable(message));
    std::exit(1);
}

void WriteFile(const QString& relative, const QByteArray& data)
{
    const QString path = g_output + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        Fail(QStringLiteral("cannot write %1").arg(path));
}

void WriteGif(const QString& relative, const QImage& image)
{
    WriteFile(relative, EncodeGif(image));
}

QImage Blank(int width = Cell, int height = Cell)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage RenderSvg(const QByteArray& svg, int size, int width, int height)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        Fail(QStringLiteral("a picture is not valid SVG"));
    QImage image = Blank(width, height);
    QPainter painter(&image);
    renderer.render(&painter, QRectF((width - size) / 2.0, (height - size) / 2.0, size, size));
    return image;
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(QStringLiteral("cannot read %1").arg(path));
    return file.readAll();
}

// Tree lines: which of the four arms (up, down, right) a picture has.
struct TArms {
    bool up = false;
    bool down = false;
    bool right = false;
};

void DrawArms(QPainter& painter, TArms arms, int gapTop, int gapBottom, int gapRight)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(LineColour);
    if (arms.up)
        painter.drawLine(CenterX, 0, CenterX, gapTop);
    if (arms.down)
        painter.drawLine(CenterX, gapBottom, CenterX, Cell - 1);
    if (arms.right)
        painter.drawLine(gapRight, CenterY, Cell - 1, CenterY);
}

QImage Connector(TArms arms)
{
    QImage image = Blank();
    QPainter painter(&image);
    DrawArms(painter, arms, CenterY, CenterY, CenterX);
    return image;
}

// A boxed plus or minus with the tree lines leaving the box.
QImage BoxedExpander(TArms arms, bool open)
{
    QImage image = Blank();
    QPainter painter(&image);
    DrawArms(painter, arms, CenterY - 5, CenterY + 5, CenterX + 5);
    const QRect box(CenterX - 4, CenterY - 4, 8, 8);
    painter.setPen(BoxColour);
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setPen(MarkColour);
    painter.drawLine(CenterX - 2, CenterY, CenterX + 2, CenterY);
    if (!open)
        painter.drawLine(CenterX, CenterY - 2, CenterX, CenterY + 2);
    return image;
}

// Without lines the expanders are chevrons, pointing right when closed.
QImage Chevron(bool open)
{
    QImage image = Blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    if (open) {
        path.moveTo(CenterX - 4, CenterY - 2);
        path.lineTo(CenterX + 4, CenterY - 2);
        path.lineTo(CenterX, CenterY + 3);
    } else {
        path.moveTo(CenterX - 2, CenterY - 4);
        path.lineTo(CenterX + 3, CenterY);
        path.lineTo(CenterX - 2, CenterY + 4);
    }
    path.closeSubpath();
    painter.fillPath(path, MarkColour);
    return image;
}

void DrawTreeImages()
{
    const TArms first{false, true, true};   // first entry, a sibling follows
    const TArms middle{true, true, true};
    const TArms last{true, false, true};
    const TArms single{false, false, true};
    WriteGif(QStringLiteral("imgs/blank.gif"), Blank());
    WriteGif(QStringLiteral("imgs/line.gif"), Connector({true, true, false}));
    WriteGif(QStringLiteral("imgs/downangle.gif"), Connector(first));
    WriteGif(QStringLiteral("imgs/tshaped.gif"), Connector(middle));
    WriteGif(QStringLiteral("imgs/upangle.gif"), Connector(last));
    WriteGif(QStringLiteral("imgs/sline.gif"), Connector(single));
    const struct {
        const char* name;
        TArms arms;
    } expanders[] = {{"da", first}, {"t", middle}, {"ua", last}, {"s", single}};
    for (const auto& expander : expanders) {
        WriteGif(QStringLiteral("imgs/%1plus.gif").arg(QLatin1String(expander.name)), BoxedExpander(expander.arms, false));
        WriteGif(QStringLiteral("imgs/%1minus.gif").arg(QLatin1String(expander.name)), BoxedExpander(expander.arms, true));
    }
    WriteGif(QStringLiteral("imgs/plus.gif"), Chevron(false));
    WriteGif(QStringLiteral("imgs/minus.gif"), Chevron(true));
}

// Icon n of the web help is picture n - 1 of the program's topic tree.
void DrawTopicIcons(const QString& pictures)
{
    for (int icon = 1; icon <= 42; ++icon) {
        const QString svg = QStringLiteral("%1/%2.svg").arg(pictures).arg(icon - 1, 2, 10, QLatin1Char('0'));
        const QImage image = RenderSvg(ReadFile(svg), 16, Cell, Cell);
        const QByteArray gif = EncodeGif(image);
        WriteFile(QStringLiteral("icons/%1.gif").arg(icon), gif);
        // The default icons (closed and open book, page) travel with the tree images.
        if (icon == 1 || icon == 2 || icon == 9 || icon == 11)
            WriteFile(QStringLiteral("imgs/%1.gif").arg(icon), gif);
    }
}

// Shaded versions of the closed book, the open book and the page.
void DrawRealColourIcons()
{
    const QByteArray closed = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
<defs><linearGradient id="c" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#6fa8e8"/><stop offset="1" stop-color="#1f4f8f"/></linearGradient>
<linearGradient id="e" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#fffdf5"/><stop offset="1" stop-color="#d9d2bd"/></linearGradient></defs>
<rect x="4.5" y="2.5" width="9" height="12" rx="1" fill="url(#e)" stroke="#8a8066" stroke-width="0.6"/>
<rect x="2.5" y="1.5" width="10" height="12.5" rx="1.2" fill="url(#c)" stroke="#173d70" stroke-width="0.8"/>
<path d="M4.6 1.8v12" stroke="#ffffff" stroke-opacity="0.55"/><rect x="6.3" y="4" width="4.8" height="2.2" rx="0.4" fill="#ffffff" opacity="0.85"/></svg>)svg";
    const QByteArray open = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
<defs><linearGradient id="l" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#e9eef5"/><stop offset="1" stop-color="#ffffff"/></linearGradient>
<linearGradient id="r" x1="0" y1="0" x2="1" y2="0"><stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#e9eef5"/></linearGradient></defs>
<path d="M1 13.8c2.4-.7 4.8-.6 7 .7c2.2-1.3 4.6-1.4 7-.7v-1H1z" fill="#1f4f8f"/>
<path d="M8 4.2c-2-1.5-4.5-1.6-6.5-1v9.6c2-.6 4.5-.5 6.5 1z" fill="url(#l)" stroke="#2f6db5" stroke-width="0.8"/>
<path d="M8 4.2c2-1.5 4.5-1.6 6.5-1v9.6c-2-.6-4.5-.5-6.5 1z" fill="url(#r)" stroke="#2f6db5" stroke-width="0.8"/>
<path d="M3 6h3.5M3 8h3.5M3 10h3M9.5 6h3.5M9.5 8h3.5M9.5 10h3" stroke="#6f9bd3" stroke-width="0.8"/></svg>)svg";
    const QByteArray page = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
<defs><linearGradient id="p" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#cfe0f5"/></linearGradient>
<linearGradient id="f" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#f4f7fb"/><stop offset="1" stop-color="#a9bfdc"/></linearGradient></defs>
<path d="M3.5 1.5h6l3 3v10h-9z" fill="url(#p)" stroke="#2f6db5" stroke-width="0.9"/><path d="M9.5 1.5v3h3" fill="url(#f)" stroke="#2f6db5" stroke-width="0.9"/>
<path d="M5 7.5h6M5 9.5h6M5 11.5h4" stroke="#3f7fcf" stroke-width="0.9"/></svg>)svg";
    WriteGif(QStringLiteral("ricons/1.gif"), RenderSvg(closed, 16, Cell, Cell));
    WriteGif(QStringLiteral("ricons/2.gif"), RenderSvg(open, 16, Cell, Cell));
    WriteGif(QStringLiteral("ricons/11.gif"), RenderSvg(page, 16, Cell, Cell));
}

QByteArray ButtonSvg(const char* body)
{
    return QByteArray(R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="20" viewBox="0 0 20 20" fill="none" stroke="#35506e" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round">)svg")
        + body + "</svg>";
}

void DrawButtons()
{
    const struct {
        const char* name;
        const char* body;
    } buttons[] = {
        {"showall", R"svg(<rect x="3" y="3" width="14" height="14" rx="2.5" stroke="#7b8794"/><path d="M6.5 7.5l3.5 3.5l3.5-3.5M6.5 11l3.5 3.5"/><path d="M13.5 11l-3.5 3.5"/>)svg"},
        {"hideall", R"svg(<rect x="3" y="3" width="14" height="14" rx="2.5" stroke="#7b8794"/><path d="M6.5 12.5l3.5-3.5l3.5 3.5M6.5 9l3.5-3.5l3.5 3.5"/>)svg"},
        {"previous", R"svg(<circle cx="10" cy="10" r="7.2" stroke="#7b8794"/><path d="M11.5 6.5l-3.5 3.5l3.5 3.5"/>)svg"},
        {"next", R"svg(<circle cx="10" cy="10" r="7.2" stroke="#7b8794"/><path d="M8.5 6.5l3.5 3.5l-3.5 3.5"/>)svg"},
        {"print", R"svg(<path d="M6 7V3h8v4"/><rect x="2.8" y="7" width="14.4" height="6.5" rx="1.5" fill="#e8eef5"/><rect x="6" y="11" width="8" height="6" fill="#ffffff"/><path d="M7.8 13.5h4.4M7.8 15.3h3"/><circle cx="14.5" cy="9.3" r="0.5" fill="#35506e"/>)svg"},
    };
    for (const auto& button : buttons)
        WriteGif(QStringLiteral("images/%1.gif").arg(QLatin1String(button.name)), RenderSvg(ButtonSvg(button.body), 20, 20, 20));
}

// Title bar backgrounds: wide soft gradients with a faint light band, dark
// ones for light title text (1-7) and light ones for dark text (8, 9).
void DrawBackgrounds()
{
    const struct {
        QColor from;
        QColor to;
    } themes[] = {
        {QColor(0x17, 0x3f, 0x73), QColor(0x2f, 0x6d, 0xb5)}, // blue
        {QColor(0x0e, 0x4d, 0x55), QColor(0x1f, 0x8a, 0x8a)}, // teal
        {QColor(0x1e, 0x55, 0x2c), QColor(0x3c, 0x9a, 0x4a)}, // green
        {QColor(0x2b, 0x33, 0x3d), QColor(0x4f, 0x5d, 0x6c)}, // graphite
        {QColor(0x43, 0x22, 0x5e), QColor(0x8e, 0x44, 0xad)}, // violet
        {QColor(0x6b, 0x1a, 0x1a), QColor(0xc0, 0x39, 0x2b)}, // crimson
        {QColor(0x8a, 0x4a, 0x0b), QColor(0xe0, 0x8a, 0x1e)}, // amber
        {QColor(0xe4, 0xe9, 0xef), QColor(0xfb, 0xfc, 0xfd)}, // silver
        {QColor(0xcf, 0xe6, 0xf7), QColor(0xf3, 0xf9, 0xfd)}, // sky
    };
    int number = 1;
    for (const auto& theme : themes) {
        QImage image(1600, 64, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QLinearGradient across(0, 0, image.width(), 0);
        across.setColorAt(0, theme.from);
        across.setColorAt(1, theme.to);
        painter.fillRect(image.rect(), across);
        const bool light = theme.from.lightness() > 128;
        for (int band = 0; band < 3; ++band) {
            QRadialGradient glow(QPointF(380 + band * 520, -40 + band * 30), 260 + band * 60);
            const QColor tint = light ? QColor(255, 255, 255, 150) : QColor(255, 255, 255, 34 - band * 8);
            glow.setColorAt(0, tint);
            glow.setColorAt(1, QColor(255, 255, 255, 0));
            painter.fillRect(image.rect(), glow);
        }
        QLinearGradient down(0, 0, 0, image.height());
        down.setColorAt(0, QColor(255, 255, 255, light ? 60 : 22));
        down.setColorAt(0.5, QColor(255, 255, 255, 0));
        down.setColorAt(1, QColor(0, 0, 0, light ? 14 : 40));
        painter.fillRect(image.rect(), down);
        painter.end();
        const QString path = g_output + QStringLiteral("/bg/back%1.jpg").arg(number++);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!image.save(path, "JPG", 88))
            Fail(QStringLiteral("cannot write %1").arg(path));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3)
        Fail(QStringLiteral("usage: webhelp-images <tree picture folder> <web help set folder>"));
    g_output = arguments.at(2);
    DrawTreeImages();
    DrawTopicIcons(arguments.at(1));
    DrawRealColourIcons();
    DrawButtons();
    DrawBackgrounds();
    return 0;
}
