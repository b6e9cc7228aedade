#!/usr/bin/env python3
"""Draws the pictures of the sample project under data/sample/.

The pictures are committed; run this only after changing a drawing here:

    python3 scripts/make-sample-pictures.py

Each picture is an SVG drawing below, rendered by headless Chromium (sharp
text in the fonts the help pages use) and written without metadata by
ImageMagick, so a rerun gives the same bytes on the same tools. Needs the
Debian packages chromium, imagemagick, fonts-dejavu-core and fonts-noto-cjk
(for the Chinese captions of the main window).
"""

import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLE = os.path.join(ROOT, "data", "sample")

# Colours of the sample's style sheet (styles/help.css, template/template.css).
INK = "#1f2d3a"
BLUE = "#2b5f8a"
LIGHT = "#eef4f9"
EDGE = "#9db7cc"
ORANGE = "#d9822b"
GREEN = "#3f7f4f"
GREY = "#8a949c"
PAPER = "#ffffff"
NOTE_BACK = "#f3f7fb"
WARN_BACK = "#fdf6ec"
FONT = "DejaVu Sans, Noto Sans, sans-serif"
CJK = "Noto Sans CJK SC, DejaVu Sans, sans-serif"


# ---------------------------------------------------------------- SVG pieces

def esc(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def svg(width, height, body, background=PAPER):
    back = "" if background is None else f'<rect width="{width}" height="{height}" fill="{background}"/>'
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">'
            '<defs><marker id="arrow" viewBox="0 0 10 10" refX="9" refY="5" markerWidth="7" markerHeight="7" '
            f'orient="auto-start-reverse"><path d="M0 0 L10 5 L0 10 z" fill="{GREY}"/></marker></defs>'
            f'{back}{body}</svg>')


def text(x, y, content, size=12, fill=INK, anchor="start", weight="normal", family=FONT, style="normal"):
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" fill="{fill}" '
            f'text-anchor="{anchor}" font-weight="{weight}" font-style="{style}">{esc(content)}</text>')


def rect(x, y, w, h, fill=LIGHT, stroke=EDGE, radius=4, width=1.5, dash=None):
    dashes = f' stroke-dasharray="{dash}"' if dash else ""
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{radius}" fill="{fill}" '
            f'stroke="{stroke}" stroke-width="{width}"{dashes}/>')


def box(x, y, w, h, title, subtitle=None, fill=LIGHT, stroke=EDGE, title_fill=INK, subtitle_fill="#4a5a68"):
    parts = [rect(x, y, w, h, fill, stroke, 6)]
    if subtitle:
        parts.append(text(x + w / 2, y + h / 2 - 3, title, 13, title_fill, "middle", "bold"))
        parts.append(text(x + w / 2, y + h / 2 + 13, subtitle, 10.5, subtitle_fill, "middle"))
    else:
        parts.append(text(x + w / 2, y + h / 2 + 4.5, title, 12.5, title_fill, "middle", "bold"))
    return "".join(parts)


def arrow(x1, y1, x2, y2, colour=GREY, width=1.8):
    return (f'<path d="M{x1} {y1} L{x2} {y2}" stroke="{colour}" stroke-width="{width}" fill="none" '
            'marker-end="url(#arrow)"/>')


def curve(x1, y1, x2, y2, colour=GREY):
    mid = (x1 + x2) / 2
    return (f'<path d="M{x1} {y1} C{mid} {y1} {mid} {y2} {x2} {y2}" stroke="{colour}" stroke-width="1.8" '
            'fill="none" marker-end="url(#arrow)"/>')


def callout(x, y, number):
    return (f'<circle cx="{x}" cy="{y}" r="9" fill="{ORANGE}" stroke="{PAPER}" stroke-width="1.5"/>'
            + text(x, y + 4, str(number), 11, PAPER, "middle", "bold"))


def lines(x, y, widths, step=9, colour="#c9d3dc", height=4):
    return "".join(f'<rect x="{x}" y="{y + i * step}" width="{w}" height="{height}" rx="2" fill="{colour}"/>'
                   for i, w in enumerate(widths))


# Small tree icons, drawn at (x, y) top left, 14 x 14.
def book_icon(x, y, open_=False):
    colour = BLUE if not open_ else "#3d7ab0"
    return (f'<rect x="{x + 1}" y="{y + 1}" width="12" height="12" rx="1.5" fill="{colour}"/>'
            f'<rect x="{x + 3}" y="{y + 3}" width="8" height="1.6" fill="#ffffff" opacity="0.8"/>')


def page_icon(x, y, colour="#ffffff"):
    return (f'<path d="M{x + 2} {y} L{x + 9} {y} L{x + 12} {y + 3} L{x + 12} {y + 14} L{x + 2} {y + 14} z" '
            f'fill="{colour}" stroke="{GREY}" stroke-width="1"/>'
            + lines(x + 4, y + 5, [6, 6, 4], 3, "#9aa6b0", 1))


def root_icon(x, y):
    return (f'<rect x="{x}" y="{y + 2}" width="14" height="11" rx="1.5" fill="#e8b04a"/>'
            f'<rect x="{x}" y="{y}" width="6" height="4" rx="1" fill="#e8b04a"/>')


def template_icon(x, y):
    return (f'<rect x="{x + 1}" y="{y}" width="12" height="14" rx="1" fill="#ffffff" stroke="{GREEN}" '
            f'stroke-width="1.2"/><rect x="{x + 1}" y="{y}" width="12" height="4" fill="{GREEN}"/>')


# ---------------------------------------------------------------- the pictures

def workflow():
    w, h = 600, 240
    body = [box(20, 40, 150, 56, "Topic pages", "HTML files in folders"),
            box(20, 140, 150, 56, "Project file", "settings and topic tree"),
            box(230, 82, 130, 72, "Quorix", "arrange, edit, build", fill=BLUE, stroke=BLUE,
                title_fill=PAPER, subtitle_fill="#dce8f2"),
            curve(170, 68, 228, 104), curve(170, 168, 228, 134)]
    outputs = ["Compiled help (CHM)", "Web help", "Single HTML file", "Word document", "PDF file"]
    for i, name in enumerate(outputs):
        y = 16 + i * 43
        body.append(box(420, y, 160, 32, name, fill="#f6f9fc"))
        body.append(curve(360, 118, 418, y + 16))
    return svg(w, h, "".join(body))


def main_window():
    w, h = 600, 390
    b = []
    # Frame, caption and menu bar.
    b.append(rect(4, 4, w - 8, h - 8, "#f4f6f8", "#7d8a96", 5, 1.2))
    b.append(f'<rect x="5" y="5" width="{w - 10}" height="24" rx="4" fill="{BLUE}"/>')
    b.append(text(16, 21, "Quorix - sample.qrx", 12, PAPER, weight="bold"))
    b.append("".join(f'<rect x="{14 + i * 40}" y="35" width="30" height="7" rx="2" fill="#c3ccd4"/>'
                     for i in range(5)))
    # File tool bar with its captions.
    tools = ["新建", "打开", "保存", "构建", "CHM", "网络帮助", "DOC", "PDF", "单个 HTML", "视图", "设置", "浏览", "帮助"]
    x = 12
    b.append(f'<rect x="8" y="48" width="{w - 16}" height="30" fill="#e9edf1"/>')
    for tool in tools:
        # Chinese characters are about twice as wide as Latin ones.
        width = max(10 + sum(10 if ord(c) > 0x2000 else 6 for c in tool), 30)
        b.append(rect(x, 52, width, 22, PAPER, "#c3ccd4", 3, 1))
        b.append(text(x + width / 2, 67, tool, 10, INK, "middle", family=CJK))
        x += width + 3
    # Topic bar.
    b.append(f'<rect x="8" y="80" width="{w - 16}" height="28" fill="#e9edf1"/>')
    b.append(rect(12, 84, 44, 20, PAPER, "#c3ccd4", 3, 1) + text(34, 98, "图标", 10.5, INK, "middle", family=CJK))
    b.append(text(64, 98, "标题:", 10.5, INK, family=CJK) + rect(94, 84, 170, 20, PAPER, "#c3ccd4", 2, 1))
    b.append(text(100, 98, "Index keywords", 10.5, INK))
    b.append(text(272, 98, "网址:", 10.5, INK, family=CJK) + rect(302, 84, 180, 20, PAPER, "#c3ccd4", 2, 1))
    b.append(text(308, 98, "topics\\writing\\keywords.htm", 10.5, INK))
    for i in range(3):
        b.append(rect(488 + i * 28, 84, 24, 20, PAPER, "#c3ccd4", 3, 1))
        b.append(page_icon(493 + i * 28, 87, ["#ffffff", "#dfe9f2", "#f2f2f2"][i]))
    # Left panel: tab, vertical tool bar and tree.
    b.append(rect(8, 112, 200, 248, PAPER, "#b7c2cc", 2, 1))
    b.append(rect(12, 116, 60, 18, "#e9edf1", "#b7c2cc", 2, 1) + text(42, 129, "文件列表", 10, INK, "middle",
                                                                          family=CJK))
    b.append(f'<rect x="12" y="138" width="20" height="218" fill="#e9edf1"/>')
    for i in range(9):
        b.append(f'<rect x="15" y="{142 + i * 22}" width="14" height="14" rx="2" fill="#c3ccd4"/>')
    tree = [(0, "root", "Table of contents"), (1, "page", "Welcome to Quorix"), (1, "book", "Getting started"),
            (1, "book", "Writing topics"), (2, "page", "The topic tree"), (2, "page", "Index keywords"),
            (2, "page", "Context numbers"), (1, "book", "Building help"), (1, "book", "Reference"),
            (0, "root", "Pages out of TOC"), (1, "page", "Glossary"), (0, "root", "Templates"),
            (1, "template", "Help page template")]
    for i, (level, kind, label) in enumerate(tree):
        x = 40 + level * 16
        y = 142 + i * 16.5
        icon = {"root": root_icon, "page": page_icon, "book": book_icon, "template": template_icon}[kind]
        b.append(icon(x, y))
        colour = "#d11f1f" if label == "Welcome to Quorix" else INK
        if label == "Index keywords":
            b.append(f'<rect x="{x + 17}" y="{y - 1}" width="84" height="15" fill="#c0c0c0"/>')
            colour = "#0000ff"
        b.append(text(x + 19, y + 11, label, 10.5, colour, weight="bold" if kind == "root" else "normal"))
    # Right side: the four view tabs, editor tool bars and the page.
    tabs = ["编辑", "资源", "预览", "主题选项"]
    x = 216
    for i, tab in enumerate(tabs):
        width = 44 if len(tab) == 2 else 66
        b.append(rect(x, 112, width, 20, PAPER if i == 0 else "#e2e7ec", "#b7c2cc", 2, 1))
        b.append(text(x + width / 2, 126, tab, 10.5, INK, "middle", family=CJK))
        x += width + 3
    b.append(rect(214, 132, 378, 228, PAPER, "#b7c2cc", 2, 1))
    b.append(f'<rect x="218" y="136" width="370" height="18" fill="#e9edf1"/>')
    b.append(f'<rect x="218" y="156" width="370" height="18" fill="#e9edf1"/>')
    for i in range(16):
        b.append(f'<rect x="{222 + i * 18}" y="139" width="13" height="12" rx="2" fill="#c3ccd4"/>')
    b.append(rect(222, 158, 90, 14, PAPER, "#c3ccd4", 2, 1) + rect(316, 158, 44, 14, PAPER, "#c3ccd4", 2, 1))
    b.append(text(232, 196, "Keywords", 13, BLUE, weight="bold"))
    b.append(lines(232, 206, [300, 320, 280, 140], 10))
    b.append(rect(232, 252, 150, 60, LIGHT, EDGE, 3, 1) + lines(242, 264, [120, 100, 126, 80], 10, "#b5c7d8"))
    b.append(lines(232, 324, [310, 260], 10))
    # Status bar.
    b.append(f'<rect x="8" y="364" width="{w - 16}" height="18" fill="#e9edf1"/>')
    b.append(text(14, 377, "For table of Contents: Ctrl+Click to multi-select", 9.5, "#4a5a68"))
    b.append(f'<rect x="{w - 8 - 190}" y="366" width="1" height="14" fill="#b7c2cc"/>')
    # Numbered callouts, explained under the picture.
    for number, (cx, cy) in enumerate([(w - 20, 63), (w - 20, 94), (186, 200), (22, 352),
                                       (440, 122), (300, 373)], 1):
        b.append(callout(cx, cy, number))
    return svg(w, h, "".join(b))


def topic_tree():
    w, h = 380, 300
    b = [rect(6, 6, 200, h - 12, PAPER, "#b7c2cc", 3, 1)]
    tree = [(0, "root", "Table of contents", None), (1, "page", "Welcome to Quorix", "default topic"),
            (1, "book", "Getting started", "topic with sub-topics"), (2, "page", "What Quorix does", None),
            (2, "book", "Your first project", None), (3, "page", "A blank project", None),
            (1, "book", "Reference", "heading without a page"), (2, "page", "Template tags", None),
            (0, "root", "Pages out of TOC", "second root"), (1, "page", "Glossary", "linked, not in the TOC"),
            (0, "root", "Templates", "third root"), (1, "template", "Help page template", "HTML Help template")]
    for i, (level, kind, label, note) in enumerate(tree):
        x = 16 + level * 16
        y = 18 + i * 22.5
        if level > 0:
            b.append(f'<path d="M{x - 9} {y - 8} L{x - 9} {y + 7} L{x - 2} {y + 7}" stroke="#c3ccd4" '
                     'stroke-width="1" fill="none"/>')
        icon = {"root": root_icon, "page": page_icon, "book": book_icon, "template": template_icon}[kind]
        b.append(icon(x, y))
        colour = "#d11f1f" if note == "default topic" else INK
        b.append(text(x + 19, y + 11, label, 11, colour, weight="bold" if kind == "root" else "normal"))
        if note:
            b.append(f'<path d="M{x + 24 + len(label) * 6.3} {y + 7} L226 {y + 7}" stroke="{ORANGE}" '
                     'stroke-width="1" stroke-dasharray="2 2" fill="none"/>')
            b.append(text(232, y + 11, note, 11, ORANGE))
    return svg(w, h, "".join(b))


def template_merge():
    w, h = 620, 260
    b = []
    # The template page.
    b.append(text(20, 22, "Template page", 12.5, INK, weight="bold"))
    b.append(rect(20, 32, 170, 210, PAPER, GREEN, 4, 1.5))
    b.append(f'<rect x="21" y="33" width="168" height="26" fill="#e4efe7"/>')
    b.append(text(28, 50, "($navigation$)", 10.5, GREEN))
    b.append(f'<circle cx="160" cy="46" r="7" fill="{BLUE}"/><circle cx="177" cy="46" r="7" fill="{BLUE}"/>')
    b.append(text(28, 80, "($title$)", 14, GREEN, weight="bold"))
    b.append(rect(28, 92, 154, 110, "#f7faf8", GREEN, 3, 1.2, "4 3"))
    b.append(text(105, 152, "($content$)", 12, GREEN, "middle"))
    b.append(text(28, 228, "($prev$)", 10.5, GREEN) + text(182, 228, "($next$)", 10.5, GREEN, "end"))
    # The topic page.
    b.append(text(230, 22, "Topic page", 12.5, INK, weight="bold"))
    b.append(rect(230, 32, 150, 130, PAPER, EDGE, 4, 1.5))
    b.append(text(240, 52, "<body>", 10.5, GREY))
    b.append(lines(240, 62, [120, 128, 100, 126, 90, 116], 10))
    b.append(text(240, 150, "</body>", 10.5, GREY))
    b.append(text(305, 190, "+ title, breadcrumb,", 10.5, "#4a5a68", "middle"))
    b.append(text(305, 205, "previous and next page", 10.5, "#4a5a68", "middle"))
    b.append(text(210, 140, "+", 22, GREY, "middle", "bold"))
    b.append(arrow(386, 137, 424, 137))
    # The merged page.
    b.append(text(430, 22, "Page in the output", 12.5, INK, weight="bold"))
    b.append(rect(430, 32, 170, 210, PAPER, BLUE, 4, 1.5))
    b.append(f'<rect x="431" y="33" width="168" height="26" fill="{LIGHT}"/>')
    b.append(text(438, 50, "Quorix > Writing topics", 9.5, BLUE))
    b.append(f'<circle cx="570" cy="46" r="7" fill="{BLUE}"/><circle cx="587" cy="46" r="7" fill="{BLUE}"/>')
    b.append(text(438, 80, "Index keywords", 14, INK, weight="bold"))
    b.append(lines(440, 98, [140, 148, 120, 146, 110, 136], 10))
    b.append(text(438, 228, "<<Previous", 10.5, BLUE) + text(592, 228, "Next>>", 10.5, BLUE, "end"))
    return svg(w, h, "".join(b))


def index_keywords():
    w, h = 600, 230
    b = []
    b.append(text(20, 22, "Keywords of one topic", 12.5, INK, weight="bold"))
    b.append(rect(20, 32, 210, 110, PAPER, EDGE, 3, 1.5))
    for i, line in enumerate(["index", "keywords", "keywords/sub-keywords", "templates/page templates"]):
        b.append(text(30, 54 + i * 22, line, 11.5, INK, family="DejaVu Sans Mono, monospace"))
    b.append(text(20, 168, "One keyword a line; a \"/\" puts the", 11, "#4a5a68"))
    b.append(text(20, 184, "text after it below the text before it.", 11, "#4a5a68"))
    b.append(arrow(240, 87, 300, 87))
    b.append(text(310, 22, "Index of the compiled help", 12.5, INK, weight="bold"))
    b.append(rect(310, 32, 270, 186, PAPER, BLUE, 3, 1.5))
    b.append(rect(320, 42, 250, 20, PAPER, "#b7c2cc", 2, 1) + text(326, 56, "key", 11, INK))
    entries = [(0, "context numbers"), (0, "index"), (0, "keywords"), (1, "sub-keywords"), (0, "templates"),
               (1, "page templates")]
    for i, (level, label) in enumerate(entries):
        y = 82 + i * 19
        if label == "keywords":
            b.append(f'<rect x="{324 + level * 18}" y="{y - 13}" width="64" height="17" fill="{BLUE}"/>')
            b.append(text(328 + level * 18, y, label, 11.5, PAPER))
        else:
            b.append(text(328 + level * 18, y, label, 11.5, INK))
    return svg(w, h, "".join(b))


def context_help():
    w, h = 600, 170
    b = [box(20, 50, 150, 70, "Your application", "Help button or F1"),
         box(230, 40, 140, 90, "Compiled help", "the CHM file", fill="#f6f9fc"),
         box(430, 50, 150, 70, "The topic", "Context numbers")]
    b.append(arrow(172, 85, 226, 85))
    b.append(text(199, 75, "1020", 12, ORANGE, "middle", "bold"))
    b.append(arrow(372, 85, 426, 85))
    b.append(text(300, 150, "IDH_ID1020=topics/writing/context-numbers.htm", 11, "#4a5a68", "middle",
                  family="DejaVu Sans Mono, monospace"))
    return svg(w, h, "".join(b))


def note_icon(kind):
    colours = {"note": (BLUE, NOTE_BACK), "tip": (GREEN, NOTE_BACK), "warning": (ORANGE, WARN_BACK)}
    colour, back = colours[kind]
    if kind == "warning":
        shape = (f'<path d="M10 2 L19 18 L1 18 z" fill="{colour}"/>'
                 f'<rect x="9" y="7" width="2" height="6" fill="#fff"/><rect x="9" y="14.5" width="2" height="2" '
                 'fill="#fff"/>')
    elif kind == "tip":
        shape = (f'<circle cx="10" cy="8" r="6" fill="{colour}"/><rect x="7" y="13" width="6" height="5" rx="1" '
                 f'fill="{colour}"/><rect x="8" y="5" width="4" height="1.5" fill="#fff" opacity="0.85"/>')
    else:
        shape = (f'<circle cx="10" cy="10" r="9" fill="{colour}"/><rect x="9" y="8" width="2.2" height="7" '
                 'fill="#fff"/><circle cx="10.1" cy="5.6" r="1.3" fill="#fff"/>')
    return svg(20, 20, shape, back)


def button(direction, enabled):
    colour = BLUE if enabled else "#b9c1c8"
    points = "M14 6.5 L8.5 12 L14 17.5" if direction == "prev" else "M10 6.5 L15.5 12 L10 17.5"
    return svg(24, 24, f'<circle cx="12" cy="12" r="11" fill="{colour}"/>'
                       f'<path d="{points}" stroke="#ffffff" stroke-width="2.6" fill="none" '
                       'stroke-linecap="round" stroke-linejoin="round"/>', None)


def logo():
    return svg(32, 32, f'<rect x="1" y="1" width="30" height="30" rx="7" fill="{BLUE}"/>'
                       '<circle cx="15" cy="15" r="8" stroke="#ffffff" stroke-width="3.2" fill="none"/>'
                       f'<path d="M18 18 L25 25" stroke="{ORANGE}" stroke-width="3.6" stroke-linecap="round"/>',
               None)


def header_band():
    return svg(8, 60, '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
                      '<stop offset="0" stop-color="#fbfdfe"/><stop offset="1" stop-color="#eef4f9"/>'
                      '</linearGradient></defs><rect width="8" height="60" fill="url(#g)"/>', None)


PICTURES = [
    ("images/workflow.png", workflow),
    ("images/main-window.png", main_window),
    ("images/topic-tree.png", topic_tree),
    ("images/template-merge.png", template_merge),
    ("images/index-keywords.png", index_keywords),
    ("images/context-help.png", context_help),
    ("images/note.gif", lambda: note_icon("note")),
    ("images/tip.gif", lambda: note_icon("tip")),
    ("images/warning.gif", lambda: note_icon("warning")),
    ("template/btn_prev_n.png", lambda: button("prev", True)),
    ("template/btn_next_n.png", lambda: button("next", True)),
    ("template/btn_prev_g.png", lambda: button("prev", False)),
    ("template/btn_next_g.png", lambda: button("next", False)),
    ("template/logo.png", logo),
    ("template/header.png", header_band),
]


# ---------------------------------------------------------------- rendering

def size_of(drawing):
    head = drawing[:200]
    width = int(head.split('width="')[1].split('"')[0])
    height = int(head.split('height="')[1].split('"')[0])
    return width, height


def render(drawing, target, work):
    width, height = size_of(drawing)
    source = os.path.join(work, "picture.svg")
    shot = os.path.join(work, "shot.png")
    with open(source, "w", encoding="utf-8") as f:
        f.write(drawing)
    if os.path.exists(shot):
        os.remove(shot)
    subprocess.run([CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync", "--no-first-run", "--hide-scrollbars",
                    "--user-data-dir=" + os.path.join(work, "profile"), "--default-background-color=00000000",
                    "--force-device-scale-factor=1", f"--window-size={max(width, 200)},{max(height, 200)}",
                    "--screenshot=" + shot, "file://" + source],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    # Chromium hangs on very small windows: small pictures are cut out of a
    # larger shot. No dates or other metadata: the bytes depend on the
    # drawing only.
    options = ["-crop", f"{width}x{height}+0+0", "+repage", "-strip"]
    if target.endswith(".png"):
        options += ["-define", "png:exclude-chunks=date,time"]
    subprocess.run(["convert", shot, *options, target], check=True)


CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser") or shutil.which("google-chrome")


def main():
    if not CHROMIUM or not shutil.which("convert"):
        sys.exit("make-sample-pictures: needs chromium and ImageMagick's convert")
    with tempfile.TemporaryDirectory() as work:
        for name, draw in PICTURES:
            target = os.path.join(SAMPLE, name)
            render(draw(), target, work)
            print("wrote", os.path.relpath(target, ROOT))


if __name__ == "__main__":
    main()
