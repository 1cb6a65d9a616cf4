#pragma once

#include "app/Prompt.h"

#include <QPointer>
#include <QWidget>

class MessageBoxPrompt final : public Prompt
{
public:
    // The boxes are centred on parent once it is set (the main window, when it exists).
    void setParent(QWidget *parent) { m_parent = parent; }

    bool askYesNo(const QString &caption, const QString &text) override;
    void notice(const QString &caption, const QString &text) override;
    void error(const QString &text) override;

private:
    QPointer<QWidget> m_parent;
};
