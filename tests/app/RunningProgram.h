#pragma once

#include "FakePrompt.h"
#include "Interaction.h"
#include "TestDatabase.h"
#include "app/ErrorGuard.h"
#include "app/TForm1.h"
#include "app/Windows.h"
#include "widgets/DbGrid.h"

#include <QLineEdit>

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
        if (show && !showActive(form()))
            qWarning("main window not active");
        return form();
    }

    // Types into a cell of a grid as the user does: select it, open its editor, replace
    // what it holds. The editor stays open, as when the user goes on with the mouse.
    static void typeInCell(DbGrid &grid, int row, int column, const QString &text)
    {
        grid.setFocus();
        const QModelIndex cell = grid.model()->index(row, column);
        grid.setCurrentIndex(cell);
        grid.edit(cell);
        if (auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget()))
            editor->selectAll();
        typeAtFocus(text);
    }

    QString cell(int row, int column) const
    {
        return form().hgrid->model()->index(row, column).data().toString();
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
