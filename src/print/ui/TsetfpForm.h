#pragma once

#include <QWidget>

// Never shown: the print field set it stands for lives in the core layer.
class TsetfpForm final : public QWidget
{
    Q_OBJECT
public:
    explicit TsetfpForm(QWidget *parent = nullptr);
};
