#pragma once

#include "ProgramFolder.h"
#include "TQrx.h"
#include "TRecentProjects.h"
#include "TfrmMain.h"
#include "RecordingPrompts.h"

#include <QDir>
#include <QProcess>
#include <QTest>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A main window on settings of its own, and small projects to open in it.
class MainWindowTest : public ::testing::Test {
protected:
    // A project file with a page, a heading with a child, in `name`.qrx.
    QString makeProject(const QString& name, const QString& title = QStringLiteral("Demo"))
    {
        const QString folder = dir.filePath(name);
        QDir().mkpath(folder + QStringLiteral("/html"));
        TQrx project;
        project.Title = title;
        project.RootDir = folder + QStringLiteral("/html/");
        TLeftTreeData page;
        page.Url = QStringLiteral("intro.htm");
        project.Tree().appendNode(project.tnTableOfContents, QStringLiteral("简介 Introduction"), page);
        TLeftTreeData heading;
        heading.Status = StatusNoLink;
        TopicNode* chapter = project.Tree().appendNode(project.tnTableOfContents, QStringLiteral("Chapter"), heading);
        TLeftTreeData child;
        child.Url = QStringLiteral("setup.htm");
        project.Tree().appendNode(chapter, QStringLiteral("Setup"), child);
        project.SetIcon();
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".qrx");
        project.SaveToIni(file);
        return file;
    }

    // A copy of the bundled sample in the test's folder: outputs and saved
    // pages land there.
    QString copySample()
    {
        const QString target = dir.filePath(QStringLiteral("sample"));
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), ProgramDataFolder() + "/sample", target});
        return target + QStringLiteral("/sample.qrx");
    }

    // The window as the program starts it, with the questions it asks answered by `answer`.
    TfrmMain& startWindow(const QString& projectFile = QString())
    {
        TCommandLine line;
        line.ProjectFile = projectFile;
        prompts.OnConfirm = [this](const QString& text, IUserPrompts::Buttons) {
            questions.append(text);
            return answer;
        };
        window = std::make_unique<TfrmMain>(line, &settings, &prompts);
        window->Start();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return *window;
    }

    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    TRecordingPrompts prompts;
    std::unique_ptr<TfrmMain> window;
    QStringList questions;
    IUserPrompts::Button answer = IUserPrompts::No;
};
