#include "qt/widgets/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace fiscora::qt {

namespace {

using Drawing = std::function<void(QPainter&)>;

const QColor kInk(45, 55, 72);
const QColor kBlue(40, 110, 190);
const QColor kRed(206, 40, 40);
const QColor kGreen(30, 150, 70);
const QColor kGold(222, 168, 40);
const QColor kPaper(252, 252, 246);

// An icon holding the drawing at the usual sizes, each drawn afresh (not scaled pixels).
QIcon iconOf(const Drawing& draw) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(size / 32.0, size / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void person(QPainter& p, const QColor& body, qreal dx = 0) {
    p.setPen(pen(body.darker(140), 1.2));
    p.setBrush(body);
    p.drawEllipse(QRectF(8 + dx, 3, 11, 11));
    QPainterPath shoulders;
    shoulders.moveTo(2.5 + dx, 28);
    shoulders.cubicTo(2.5 + dx, 19, 7 + dx, 16, 13.5 + dx, 16);
    shoulders.cubicTo(20 + dx, 16, 24.5 + dx, 19, 24.5 + dx, 28);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

void badge(QPainter& p, const QColor& color, const QPointF& centre, qreal radius) {
    p.setPen(pen(Qt::white, 1.5));
    p.setBrush(color);
    p.drawEllipse(centre, radius, radius);
}

void plusBadge(QPainter& p) {
    badge(p, kGreen, {24, 23}, 7);
    p.setPen(pen(Qt::white, 2.4));
    p.drawLine(QPointF(24, 19), QPointF(24, 27));
    p.drawLine(QPointF(20, 23), QPointF(28, 23));
}

void page(QPainter& p, const QRectF& r) {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawRoundedRect(r, 1.5, 1.5);
}

void ruledLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step) {
    p.setPen(pen(kBlue.lighter(130), 1.6));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void padlock(QPainter& p, const QColor& body) {
    p.setPen(pen(QColor(110, 110, 120), 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    shackle.moveTo(9.5, 15);
    shackle.lineTo(9.5, 10);
    shackle.arcTo(QRectF(9.5, 3, 13, 14), 180, -180);
    shackle.lineTo(22.5, 15);
    p.drawPath(shackle);
    QLinearGradient fill(0, 14, 0, 29);
    fill.setColorAt(0, body.lighter(125));
    fill.setColorAt(1, body.darker(115));
    p.setPen(pen(body.darker(150), 1.2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(5.5, 14, 21, 15), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(body.darker(170));
    p.drawEllipse(QPointF(16, 20.5), 2.2, 2.2);
    p.drawRect(QRectF(15, 21, 2, 4.5));
}

// A round seal with one character, for buying and selling.
void seal(QPainter& p, const QColor& color, const QString& character) {
    QRadialGradient fill(QPointF(12, 10), 18);
    fill.setColorAt(0, color.lighter(135));
    fill.setColorAt(1, color);
    p.setPen(pen(color.darker(140), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 1, 28, 29), Qt::AlignCenter, character);
}

void arrowHead(QPainter& p, const QPointF& tip, qreal angleDegrees, const QColor& color) {
    p.save();
    p.translate(tip);
    p.rotate(angleDegrees);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(-7, -4.5), QPointF(-7, 4.5)}));
    p.restore();
}

void newAccount(QPainter& p) {
    person(p, kBlue.lighter(115), -1);
    plusBadge(p);
}

void properties(QPainter& p) {
    page(p, QRectF(3, 4, 26, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(3.7, 4.7, 24.6, 5));
    p.setBrush(kBlue.lighter(150));
    p.drawEllipse(QRectF(6, 12, 8, 8));
    p.drawRoundedRect(QRectF(5.5, 19.5, 9, 5.5), 2.5, 2.5);
    p.setPen(pen(kInk.lighter(150), 1.6));
    p.drawLine(QPointF(17, 14), QPointF(26, 14));
    p.drawLine(QPointF(17, 18.5), QPointF(26, 18.5));
    p.drawLine(QPointF(17, 23), QPointF(23, 23));
}

void ledgerBook(QPainter& p) {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(QColor(120, 70, 40));
    p.drawRoundedRect(QRectF(5, 2.5, 22, 27), 2, 2);
    page(p, QRectF(8, 4.5, 18, 23));
    p.setPen(pen(kRed, 1.2));
    p.drawLine(QPointF(12, 5), QPointF(12, 27));
    ruledLines(p, 13.5, 24, 9, 5, 4);
}

void closeAccount(QPainter& p) {
    padlock(p, kGold);
}

void buy(QPainter& p) {
    seal(p, kRed, QStringLiteral("买"));
}
void sell(QPainter& p) {
    seal(p, kGreen, QStringLiteral("卖"));
}

void otherOperations(QPainter& p) {
    page(p, QRectF(3, 5, 26, 22));
    p.setPen(Qt::NoPen);
    const QColor dots[] = {kRed, kGold, kGreen};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(QPointF(9.5 + i * 6.5, 16), 2.6, 2.6);
    }
}

void tradeDetails(QPainter& p) {
    page(p, QRectF(3, 2, 20, 26));
    ruledLines(p, 6.5, 19.5, 7, 5, 4);
    p.setPen(pen(kInk, 3.2));
    p.drawLine(QPointF(22.5, 22.5), QPointF(29, 29));
    p.setPen(pen(kInk, 2));
    p.setBrush(QColor(200, 225, 250, 210));
    p.drawEllipse(QPointF(18.5, 18.5), 6.5, 6.5);
}

void deleteRecords(QPainter& p) {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(QColor(215, 220, 228));
    QPainterPath bin;
    bin.moveTo(7, 9);
    bin.lineTo(9, 29);
    bin.lineTo(23, 29);
    bin.lineTo(25, 9);
    bin.closeSubpath();
    p.drawPath(bin);
    p.setPen(pen(kInk.lighter(160), 1.5));
    for (qreal x : {12.0, 16.0, 20.0}) p.drawLine(QPointF(x, 12.5), QPointF(x, 26));
    p.setPen(pen(kInk, 1.4));
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(4.5, 5.5, 23, 3.5), 1.2, 1.2);
    p.drawRoundedRect(QRectF(12.5, 2.5, 7, 3), 1, 1);
}

void refreshQuotes(QPainter& p) {
    const QRectF ring(5, 5, 22, 22);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kBlue, 3.2));
    p.drawArc(ring, 100 * 16, 150 * 16);
    arrowHead(p, QPointF(7.5, 22.5), 75, kBlue);
    p.setPen(pen(kGreen, 3.2));
    p.drawArc(ring, -80 * 16, 150 * 16);
    arrowHead(p, QPointF(24.5, 9.5), -105, kGreen);
}

void analysis(QPainter& p) {
    p.setPen(pen(kInk, 1.6));
    p.drawLine(QPointF(4, 3), QPointF(4, 28));
    p.drawLine(QPointF(4, 28), QPointF(29, 28));
    p.setPen(pen(QColor(0, 0, 0, 90), 0.8));
    const struct {
        qreal x, top;
        QColor color;
    } bars[] = {{7, 19, kBlue}, {13, 12, kRed}, {19, 16, kGold}, {25, 7, kGreen}};
    for (const auto& bar : bars) {
        p.setBrush(bar.color);
        p.drawRect(QRectF(bar.x, bar.top, 4.5, 28 - bar.top));
    }
}

void parameters(QPainter& p) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = i * M_PI / teeth;
        const qreal r = (i % 2 == 0) ? 14.0 : 10.5;
        const qreal half = M_PI / teeth / 2.2;
        const QPointF a(16 + r * std::cos(angle - half), 16 + r * std::sin(angle - half));
        const QPointF b(16 + r * std::cos(angle + half), 16 + r * std::sin(angle + half));
        if (i == 0)
            gear.moveTo(a);
        else
            gear.lineTo(a);
        gear.lineTo(b);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(16, 16), 4.5, 4.5);
    QLinearGradient fill(0, 2, 0, 30);
    fill.setColorAt(0, QColor(150, 160, 175));
    fill.setColorAt(1, QColor(90, 100, 118));
    p.setPen(pen(kInk, 1.2));
    p.setBrush(fill);
    p.drawPath(gear.subtracted(hole));
}

void marketSeal(QPainter& p, const QColor& color, const QString& character) {
    p.setPen(pen(color.darker(130), 1.5));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing CN")});
    font.setPixelSize(23);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, -1, 32, 32), Qt::AlignCenter, character);
}

void application(QPainter& p) {
    QLinearGradient fill(0, 0, 0, 32);
    fill.setColorAt(0, QColor(52, 120, 200));
    fill.setColorAt(1, QColor(22, 62, 130));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(pen(QColor(255, 255, 255, 70), 1));
    for (qreal y : {10.0, 16.0, 22.0}) p.drawLine(QPointF(5, y), QPointF(27, y));
    p.setPen(pen(QColor(255, 90, 80), 2.8));
    p.drawPolyline(QPolygonF({QPointF(5, 24), QPointF(11, 18), QPointF(16, 21), QPointF(25, 9)}));
    arrowHead(p, QPointF(27.5, 6.5), -50, QColor(255, 90, 80));
    p.setPen(pen(kGold.darker(130), 1));
    p.setBrush(kGold);
    p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
}

}  // namespace

QIcon toolbarIcon(int index) {
    static const Drawing drawings[kToolbarImageCount] = {
        newAccount, properties,    ledgerBook,      closeAccount, {},
        buy,        sell,          otherOperations, tradeDetails, deleteRecords,
        {},         refreshQuotes, analysis,        parameters};
    if (index < 0 || index >= kToolbarImageCount || !drawings[index]) return {};
    return iconOf(drawings[index]);
}

QIcon accountIcon(bool loggedIn) {
    if (loggedIn)
        return iconOf([](QPainter& p) {
            person(p, kBlue.lighter(115), -1);
            badge(p, kGreen, {24, 23}, 7);
            p.setPen(pen(Qt::white, 2.2));
            p.drawPolyline(QPolygonF({QPointF(20.5, 23), QPointF(23, 25.8), QPointF(27.5, 20.2)}));
        });
    return iconOf([](QPainter& p) {
        person(p, QColor(165, 170, 180), -1);
        badge(p, kGold, {24, 23}, 7);
        p.setPen(pen(Qt::white, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(20.5, 22, 7, 5), 1, 1);
        p.drawArc(QRectF(21.5, 18, 5, 7), 0, 180 * 16);
    });
}

QIcon marketIcon(int market) {
    if (market == 1) return iconOf([](QPainter& p) { marketSeal(p, kRed, QStringLiteral("沪")); });
    return iconOf([](QPainter& p) { marketSeal(p, kBlue, QStringLiteral("深")); });
}

QIcon applicationIcon() {
    return iconOf(application);
}

}  // namespace fiscora::qt
