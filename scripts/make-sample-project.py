#!/usr/bin/env python3
"""Writes the project file of the sample project, data/sample/sample.qrx.

The topic tree and the settings are listed below; the pages, pictures and
style sheets under data/sample/ are edited directly. After changing the list
(a new topic, other keywords), run

    python3 scripts/make-sample-project.py [path/to/quorix-build]

The script writes the list as a small project file in UTF-8 and lets
quorix-build --resave turn it into the canonical file (UTF-16 with byte-order
mark, every key in its place), so the result is exactly what Quorix itself
writes. quorix-build defaults to build/bin/quorix-build.
"""

import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLE = os.path.join(ROOT, "data", "sample")

SETTINGS = [
    ("Title", "Quorix User Guide"),
    ("DefaultTopic", r"topics\welcome.htm"),
    ("Language", "0x0409"),
    ("Dictionary", "en_US"),
    ("Encoding", "UTF-8"),
    # Outputs go beside the project folder, never into the folder of pages.
    ("CompiledFile", r"<Project_Folder>_output\CHM\QuorixHelp.chm"),
    ("HtmlHelpTemplate", r"template\page.htm"),
    ("HtmlHelpTitleSame", "1"),
    # Empty: pages keep their own charset (UTF-8) inside the CHM file.
    ("HtmlHelpOutputEncoding", ""),
    ("WebHelpOutputFolder", r"<Project_Folder>_output\WebHelp"),
    ("WebHelpTemplateSame", "1"),
    ("WebHelpDefaultSame", "1"),
    ("SingleHtmlOutputFolder", r"<Project_Folder>_output\SingleHTML"),
    ("SingleHtmlFilename", "QuorixHelp.htm"),
    ("SingleHtmlHasToc", "1"),
    ("WordFile", r"<Project_Folder>_output\WordDoc\QuorixHelp.docx"),
    ("PDFfile", r"<Project_Folder>_output\PDF\QuorixHelp.pdf"),
    ("ViewCompiledFile", "1"),
]

# The help window of the CHM file.
CHM_SETTINGS = [("Width", "950"), ("Height", "650"), ("PaneWidth", "270")]

# The Word document and the PDF: A4 (list index 4), an index from the
# keywords, the glossary added at the end.
DOC_SETTINGS = [("PaperSize", "4"), ("XE", "1"), ("Discard", "0"), ("Addenda", "Appendix")]

# (level, title, page or None for a heading, keywords, context number).
# Titles are the <title> of each page.
TABLE_OF_CONTENTS = [
    (0, "Welcome to Quorix", r"topics\welcome.htm", ["Quorix", "overview", "getting started/welcome"], "1000"),
    (0, "Getting started", r"topics\getting-started\index.htm", ["getting started"], ""),
    (1, "What Quorix does", r"topics\getting-started\what-quorix-does.htm",
     ["help project", "help project/root folder", "outputs"], ""),
    (1, "The main window", r"topics\getting-started\main-window.htm",
     ["main window", "main window/tool bars", "main window/view tabs", "status bar"], "1001"),
    (1, "Your first project", r"topics\getting-started\first-project.htm",
     ["start dialog", "projects/creating", "new project"], ""),
    (2, "A blank project", r"topics\getting-started\blank-project.htm",
     ["projects/blank", "new project/blank project"], ""),
    (2, "A project from existing pages", r"topics\getting-started\existing-pages.htm",
     ["projects/from existing pages", "HTML files/making a project from"], ""),
    (2, "Importing a CHM file", r"topics\getting-started\import-chm.htm",
     ["CHM file/importing", "importing/CHM file", "importing/HTML Help Workshop project#hhp", "HHP file#hhp"],
     "1002"),
    (1, "Opening and saving projects", r"topics\getting-started\open-save.htm",
     ["projects/opening", "projects/saving", "recent projects", "table of contents/importing"], ""),
    (0, "Writing topics", r"topics\writing\index.htm", ["topics"], ""),
    (1, "The topic tree", r"topics\writing\topic-tree.htm",
     ["topic tree", "table of contents", "topics/selecting", "headings"], "1010"),
    (2, "Adding topics", r"topics\writing\adding-topics.htm", ["topics/adding", "blank pages"], ""),
    (2, "Arranging topics", r"topics\writing\arranging-topics.htm",
     ["topics/moving", "topics/sorting", "drag and drop"], ""),
    (2, "Pages out of the table of contents", r"topics\writing\pages-out-of-toc.htm",
     ["pages out of TOC", "popup pages", "glossary"], ""),
    (2, "Default topic and topic icons", r"topics\writing\default-topic.htm",
     ["default topic#default", "icons/topic icons#icons"], ""),
    (1, "Editing a page", r"topics\writing\editing-pages.htm",
     ["editor", "pages/editing", "pages/saving", "source view", "preview"], "1011"),
    (2, "Tables and pictures", r"topics\writing\tables-pictures.htm", ["tables", "pictures/inserting"], ""),
    (2, "Links and bookmarks", r"topics\writing\links-bookmarks.htm",
     ["hyperlinks", "links/between topics", "bookmarks"], ""),
    (2, "Checking spelling", r"topics\writing\spelling.htm", ["spelling", "dictionaries", "custom.dic"], ""),
    (2, "External editors", r"topics\writing\external-editors.htm", ["external editors", "editor/external"], ""),
    (1, "Index keywords", r"topics\writing\keywords.htm",
     ["keywords", "keywords/sub-keywords#sub-keywords", "keywords/pointing into a page#anchors", "index"], "1012"),
    (1, "Context numbers", r"topics\writing\context-numbers.htm",
     ["context numbers", "context-sensitive help", "IDH_ID"], "1020"),
    (0, "Building help", r"topics\building\index.htm", ["building", "build output window", "outputs/opening"], ""),
    (1, "Page templates", r"topics\building\templates.htm",
     ["templates", "templates/page templates", "templates/buttons", "templates/built-in"], "1030"),
    (1, "Compiled HTML Help (CHM)", r"topics\building\chm.htm",
     ["CHM file/building", "building/CHM file", "HTML Help"], "1031"),
    (1, "Web help", r"topics\building\web-help.htm", ["web help", "building/web help"], ""),
    (1, "Single HTML file", r"topics\building\single-html.htm", ["single HTML file", "building/single HTML file"],
     ""),
    (1, "Word document and PDF", r"topics\building\word-pdf.htm",
     ["Word document", "PDF", "building/Word document and PDF"], ""),
    (1, "Building from the command line", r"topics\building\command-line.htm",
     ["command line", "quorix-build", "building/unattended"], "1032"),
    (1, "When a CHM file does not work", r"topics\building\chm-troubleshooting.htm",
     ["CHM file/troubleshooting", "troubleshooting"], ""),
    (0, "Reference", None, [], ""),
    # Its page quotes its own TitleList lines: keep them in step when topics
    # before it come or go.
    (1, "The project file", r"topics\reference\project-file.htm",
     ["project file", ".qrx file", "project file/sections"], ""),
    (1, "Project settings", r"topics\reference\project-settings.htm", ["project settings", "settings/project"],
     "1040"),
    (1, "Template tags", r"topics\reference\template-tags.htm", ["template tags", "templates/tags"], ""),
    (1, "Path placeholders", r"topics\reference\placeholders.htm",
     ["placeholders", "output folders", "paths/placeholders"], ""),
    (1, "Keyboard shortcuts", r"topics\reference\shortcuts.htm",
     ["keyboard shortcuts", "shortcuts/editor#editor-keys", "shortcuts/topic tree#tree-keys"], ""),
    (1, "Environment options", r"topics\reference\environment-options.htm",
     ["environment options", "options.ini", "settings/environment"], ""),
]

PAGES_OUT_OF_TOC = [
    (0, "Glossary", r"topics\glossary.htm", ["glossary", "terms"], "1100"),
]

TEMPLATES = [
    (0, "Help page template", r"template\page.htm", [], ""),
]


def project_text():
    lines = ["[GENERAL]", "Ver=1", "RootDir=" + SAMPLE + os.sep]
    lines += [f"{key}={value}" for key, value in SETTINGS]
    lines += ["", "[CHMSetting]"] + [f"{key}={value}" for key, value in CHM_SETTINGS]
    lines += ["", "[DocSetting]"] + [f"{key}={value}" for key, value in DOC_SETTINGS]
    lines += ["", "[TOPICS]"]
    topics = [(kind, entry) for kind, group in enumerate([TABLE_OF_CONTENTS, PAGES_OUT_OF_TOC, TEMPLATES])
              for entry in group]
    lines.append(f"TitleList={len(topics)}")
    for n, (kind, (level, title, url, keywords, context)) in enumerate(topics):
        lines += [f"TitleList.Title.{n}={title}",
                  f"TitleList.Level.{n}={level}",
                  f"TitleList.Url.{n}={url or ''}",
                  f"TitleList.Icon.{n}=0",
                  f"TitleList.Status.{n}={0 if url else 2}",
                  f"TitleList.Keywords.{n}=" + "`\\".join(keywords),
                  f"TitleList.ContextNumber.{n}={context}",
                  f"TitleList.ApplyTemp.{n}=0",
                  f"TitleList.Expanded.{n}=0",
                  f"TitleList.Kind.{n}={kind}"]
    return "\r\n".join(lines) + "\r\n"


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "bin", "quorix-build")
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "sample.qrx")
        with open(source, "w", encoding="utf-8-sig", newline="") as f:
            f.write(project_text())
        subprocess.run([program, "--resave", source, os.path.join(SAMPLE, "sample.qrx")], check=True)


if __name__ == "__main__":
    main()
