#pragma once

#include <QKeyEvent>
#include <QTest>

// Types text into a widget key by key, as a keyboard with an input method would deliver
// it, Chinese characters included (QTest::keyClicks takes Latin-1 only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

// Shows a top-level widget and waits until it has the keyboard, so focus moves work.
inline bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Types text where the keyboard focus is, key by key, following the focus as it moves
// (the first key into a grid cell opens its editor, which takes the rest).
inline void typeAtFocus(const QString &text)
{
    for (const QChar character : text) {
        QWidget *focus = QApplication::focusWidget();
        if (!focus)
            return;
        if (character.unicode() < 0x80)
            QTest::keyClick(focus, char(character.unicode()));
        else
            typeText(focus, QString(character));
    }
}
