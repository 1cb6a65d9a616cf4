#include "widgets/Fonts.h"

#include <QStringList>

namespace {

QFont withFallbacks(const QString &family, int pointSize)
{
    QFont font;
    font.setFamilies(QStringList{family, QStringLiteral("Noto Serif CJK SC"),
                                 QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSize(pointSize);
    return font;
}

} // namespace

namespace Fonts {

QFont verdana(int pointSize)
{
    QFont font;
    // Sans faces after Verdana, so Latin text keeps its look where Verdana is missing.
    font.setFamilies(QStringList{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                                 QStringLiteral("Noto Sans CJK SC"),
                                 QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSize(pointSize);
    return font;
}

QFont simSun(int pointSize)
{
    return withFallbacks(QStringLiteral("SimSun"), pointSize);
}

} // namespace Fonts
