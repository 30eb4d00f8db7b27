#pragma once

#include "browser/core/Shell.h"

#include <QStringList>

// A shell without windows: it answers from what the test sets and records
// what the part under test asked of it, one line a call.
class FakeShell : public Shell
{
public:
    platform::WebBrowser *page = nullptr;
    QWidget *main = nullptr;
    QStringList calls;

    platform::WebBrowser *currentPage() const override { return page; }
    platform::WebBrowser *openInNewTab(const QString &url) override
    {
        calls << QStringLiteral("openInNewTab ") + url;
        return nullptr;
    }
    platform::WebBrowser *openWaitingTab(int position) override
    {
        calls << QStringLiteral("openWaitingTab %1").arg(position);
        return nullptr;
    }
    void navigateCurrent(const QString &url) override { calls << QStringLiteral("navigateCurrent ") + url; }
    void showMainWindow() override { calls << QStringLiteral("showMainWindow"); }
    void revealMainWindow() override { calls << QStringLiteral("revealMainWindow"); }
    QWidget *mainWidget() const override { return main; }
    void notice(const QString &title, const QString &contents, bool, qint16) override
    {
        calls << QStringLiteral("notice ") + title + QStringLiteral(" | ") + contents;
    }
    void messageBox(qint16 type, QString &, qint32 &) override
    {
        calls << QStringLiteral("messageBox %1").arg(type);
    }
    void showSettings() override { calls << QStringLiteral("showSettings"); }
    void showSystemCheck() override { calls << QStringLiteral("showSystemCheck"); }
    void writeSessionRecord() override { calls << QStringLiteral("writeSessionRecord"); }
    void clearSessionRecord() override { calls << QStringLiteral("clearSessionRecord"); }
};
