#pragma once

#include "FakePrompt.h"
#include "TestDatabase.h"
#include "app/ErrorGuard.h"
#include "app/TForm1.h"
#include "app/Windows.h"

#include <QTest>

#include <memory>

// The program as main() starts it, on a fixture database, with scripted prompts.
struct RunningProgram
{
    explicit RunningProgram(const QStringList &fixtures = {QStringLiteral("ui_invoices.sql")})
        : database(fixtures)
    {
    }

    // Creates the windows and shows the main one; show=false stops after creation.
    TForm1 &start(bool show = true)
    {
        windows = std::make_unique<Windows>(prompt, fileDialogs, guard, database.programDir());
        if (show) {
            form().show();
            QTest::qWait(0);
        }
        return form();
    }

    TForm1 &form() const { return windows->form1(); }

    template <typename T>
    T *find(const QString &name) const
    {
        T *found = form().findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }

    QVariant scalar(const QString &query) { return database.scalar(query); }

    TestDatabase database;
    FakePrompt prompt;
    FakeFileDialogs fileDialogs;
    ErrorGuard guard{prompt};
    std::unique_ptr<Windows> windows;
};
