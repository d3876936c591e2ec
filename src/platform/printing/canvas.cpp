#include "platform/printing/canvas.h"

#include <QFont>
#include <QStringList>

#include <cmath>

QFont toQFont(const PrintFont& f)
{
    QFont font(f.family);
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

double textOutTabbed(Canvas& canvas, double x, double y, const QString& text, double stop)
{
    double pos = x;
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            // The next stop strictly after the current position.
            const double rel = pos - x;
            pos = x + (std::floor(rel / stop + 1e-9) + 1) * stop;
        }
        if (!parts[i].isEmpty()) {
            canvas.textOut(pos, y, parts[i]);
            pos += canvas.textWidth(parts[i]);
        }
    }
    return pos;
}
