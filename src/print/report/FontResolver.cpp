#include "FontResolver.h"

#include <QFontDatabase>
#include <algorithm>

namespace {

const QStringList serifFaces = {
    QStringLiteral("宋体"),           QStringLiteral("SimSun"),   QStringLiteral("新宋体"),
    QStringLiteral("NSimSun"),        QStringLiteral("仿宋"),     QStringLiteral("FangSong"),
    QStringLiteral("仿宋_GB2312"),    QStringLiteral("楷体"),     QStringLiteral("KaiTi"),
    QStringLiteral("楷体_GB2312"),    QStringLiteral("华文宋体"), QStringLiteral("STSong"),
    QStringLiteral("Times New Roman")};

const QStringList serifStandIns = {QStringLiteral("Noto Serif CJK SC"),
                                   QStringLiteral("Source Han Serif SC"),
                                   QStringLiteral("AR PL UMing CN")};
const QStringList sansStandIns = {QStringLiteral("Noto Sans CJK SC"),
                                  QStringLiteral("Source Han Sans SC"),
                                  QStringLiteral("WenQuanYi Zen Hei")};

QString firstInstalled(const QStringList &families)
{
    for (const QString &family : families) {
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return {};
}

} // namespace

QString FontResolver::familyFor(const QString &requested)
{
    if (!requested.isEmpty() && QFontDatabase::hasFamily(requested))
        return requested;
    const bool serif = serifFaces.contains(requested, Qt::CaseInsensitive);
    QString standIn = firstInstalled(serif ? serifStandIns : sansStandIns);
    if (standIn.isEmpty())
        standIn = firstInstalled(serif ? sansStandIns : serifStandIns);
    return standIn.isEmpty() ? requested : standIn;
}

QFont FontResolver::font(const FontChoice &choice, double unitsPerMm, int deviceDpiY)
{
    const QString family = familyFor(choice.family);
    QFont font(family);
    // Glyphs missing from a Latin face the template names still come out in Chinese.
    font.setFamilies({family, familyFor(QStringLiteral("宋体"))});
    const double unitsHigh = choice.pointSize * 25.4 / 72 * unitsPerMm;
    font.setPointSizeF(unitsHigh * 72 / std::max(deviceDpiY, 1));
    font.setBold(choice.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    return font;
}
