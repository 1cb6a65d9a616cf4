#pragma once

#include <QString>

class QWidget;

// The text a control of the window shows right now, found by its object name: what the
// user typed, saved or not, with the line breaks of a multi-line box. Throws PrintError
// when the window has no such text control.
QString shownText(const QWidget &window, const QString &controlName);
