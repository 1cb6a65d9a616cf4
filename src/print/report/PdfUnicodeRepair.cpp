#include "PdfUnicodeRepair.h"

#include <QString>
#include <algorithm>
#include <iterator>
#include <vector>

namespace {

struct Pair
{
    char16_t radical;
    char16_t ideograph;
};

// CJK Radicals Supplement code points that the Noto CJK SC faces draw with the glyph of
// an ideograph (found by comparing glyph indices); the Kangxi radicals decompose to their
// ideographs by Unicode's compatibility mapping and need no table.
constexpr Pair supplement[] = {
    {0x2e82, 0x4e5b}, // 乛
    {0x2e83, 0x4e5a}, // 乚
    {0x2e85, 0x4ebb}, // 亻
    {0x2e89, 0x5202}, // 刂
    {0x2e8e, 0x5140}, // 兀
    {0x2e8f, 0x5c23}, // 尣
    {0x2e90, 0x5c22}, // 尢
    {0x2e92, 0x5df3}, // 巳
    {0x2e93, 0x5e7a}, // 幺
    {0x2e94, 0x5f51}, // 彑
    {0x2e95, 0x5f50}, // 彐
    {0x2e96, 0x5fc4}, // 忄
    {0x2e98, 0x624c}, // 扌
    {0x2e99, 0x6535}, // 攵
    {0x2e9b, 0x65e1}, // 旡
    {0x2e9e, 0x6b7a}, // 歺
    {0x2ea0, 0x6c11}, // 民
    {0x2ea1, 0x6c35}, // 氵
    {0x2ea3, 0x706c}, // 灬
    {0x2ea4, 0x722b}, // 爫
    {0x2ea6, 0x4e2c}, // 丬
    {0x2ea8, 0x72ad}, // 犭
    {0x2eab, 0x7f52}, // 罒
    {0x2ead, 0x793b}, // 礻
    {0x2eaf, 0x7cf9}, // 糹
    {0x2eb0, 0x7e9f}, // 纟
    {0x2eb1, 0x7f53}, // 罓
    {0x2eb2, 0x7f52}, // 罒
    {0x2eb9, 0x8002}, // 耂
    {0x2eba, 0x8080}, // 肀
    {0x2ebe, 0x8279}, // 艹
    {0x2ec1, 0x864e}, // 虎
    {0x2ec2, 0x8864}, // 衤
    {0x2ec3, 0x8980}, // 覀
    {0x2ec5, 0x89c1}, // 见
    {0x2ec6, 0x89d2}, // 角
    {0x2ec8, 0x8ba0}, // 讠
    {0x2ec9, 0x8d1d}, // 贝
    {0x2ecb, 0x8f66}, // 车
    {0x2ecc, 0x8fb6}, // 辶
    {0x2ed0, 0x9485}, // 钅
    {0x2ed1, 0x9577}, // 長
    {0x2ed2, 0x9578}, // 镸
    {0x2ed3, 0x957f}, // 长
    {0x2ed4, 0x95e8}, // 门
    {0x2ed6, 0x961d}, // 阝
    {0x2ed8, 0x9752}, // 青
    {0x2ed9, 0x97e6}, // 韦
    {0x2eda, 0x9875}, // 页
    {0x2edb, 0x98ce}, // 风
    {0x2edc, 0x98de}, // 飞
    {0x2edd, 0x98df}, // 食
    {0x2edf, 0x98e0}, // 飠
    {0x2ee0, 0x9963}, // 饣
    {0x2ee2, 0x9a6c}, // 马
    {0x2ee3, 0x9aa8}, // 骨
    {0x2ee4, 0x9b3c}, // 鬼
    {0x2ee5, 0x9c7c}, // 鱼
    {0x2ee6, 0x9e1f}, // 鸟
    {0x2ee7, 0x5364}, // 卤
    {0x2ee8, 0x9ea6}, // 麦
    {0x2ee9, 0x9ec4}, // 黄
    {0x2eea, 0x9efe}, // 黾
    {0x2eeb, 0x6589}, // 斉
    {0x2eec, 0x9f50}, // 齐
    {0x2eee, 0x9f7f}, // 齿
    {0x2eef, 0x7adc}, // 竜
    {0x2ef0, 0x9f99}, // 龙
    {0x2ef1, 0x9f9c}, // 龜
    {0x2ef2, 0x4e80}, // 亀
};

// The "<XXXX>" codes of one line of a character map, as offsets into the line.
std::vector<qsizetype> hexCodes(const QByteArray &line)
{
    std::vector<qsizetype> codes;
    for (qsizetype i = 0; i + 5 < line.size(); ++i) {
        if (line[i] == '<' && line[i + 5] == '>') {
            bool ok = false;
            line.mid(i + 1, 4).toUShort(&ok, 16);
            if (ok)
                codes.push_back(i + 1);
        }
    }
    return codes;
}

void rewrite(QByteArray &line, qsizetype at)
{
    bool ok = false;
    const auto code = char16_t(line.mid(at, 4).toUShort(&ok, 16));
    const char16_t ideograph = PdfUnicodeRepair::ideographFor(code);
    if (ok && ideograph != code)
        line.replace(at, 4, QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0'));
}

// Rewrites only what a glyph stands for, never the glyph codes: in "<first> <last> [...]"
// the list, in "<first> <last> <to>" the target of a one-glyph range (a longer range
// counts up from its target), in "<glyph> <to>" the target.
void repairLine(QByteArray &line, bool ranges)
{
    const std::vector<qsizetype> codes = hexCodes(line);
    const size_t firstTarget = ranges ? 2 : 1;
    if (codes.size() <= firstTarget)
        return;
    const bool list = line.contains('[');
    if (ranges && !list && line.mid(codes[0], 4) != line.mid(codes[1], 4))
        return;
    for (size_t i = firstTarget; i < codes.size(); ++i)
        rewrite(line, codes[i]);
}

} // namespace

char16_t PdfUnicodeRepair::ideographFor(char16_t codePoint)
{
    if (codePoint >= 0x2F00 && codePoint <= 0x2FDF) {
        const QString decomposed =
            QString(QChar(codePoint)).normalized(QString::NormalizationForm_KC);
        return decomposed.size() == 1 ? decomposed[0].unicode() : codePoint;
    }
    const auto found =
        std::lower_bound(std::begin(supplement), std::end(supplement), codePoint,
                         [](const Pair &pair, char16_t code) { return pair.radical < code; });
    return found != std::end(supplement) && found->radical == codePoint ? found->ideograph
                                                                        : codePoint;
}

void PdfUnicodeRepair::repair(QByteArray &pdf)
{
    qsizetype from = 0;
    while ((from = pdf.indexOf("begincmap", from)) >= 0) {
        const qsizetype to = pdf.indexOf("endcmap", from);
        if (to < 0)
            return;
        bool ranges = false;
        qsizetype lineStart = from;
        while (lineStart < to) {
            qsizetype lineEnd = pdf.indexOf('\n', lineStart);
            if (lineEnd < 0 || lineEnd > to)
                lineEnd = to;
            QByteArray line = pdf.mid(lineStart, lineEnd - lineStart);
            if (line.contains("beginbfrange"))
                ranges = true;
            else if (line.contains("beginbfchar"))
                ranges = false;
            else
                repairLine(line, ranges);
            // Same length by construction: four hex digits for four.
            pdf.replace(lineStart, line.size(), line);
            lineStart = lineEnd + 1;
        }
        from = to;
    }
}
