#include <QImage>
#include <QTest>

#include "qt/widgets/hover_button.h"
#include "qt_test_registry.h"

using fiscora::qt::HoverButton;

namespace {

// The bounding box of the pixels inside the frame that differ from the face colour.
QRect captionBox(const QImage& image) {
    const QRgb face = image.pixel(2, 2);
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (image.pixel(x, y) != face) box |= QRect(x, y, 1, 1);
    return box;
}

// The darkest pixel inside the frame: the caption's own colour where a stroke covers it.
QRgb darkest(const QImage& image) {
    QRgb found = qRgb(255, 255, 255);
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (qGray(image.pixel(x, y)) < qGray(found)) found = image.pixel(x, y);
    return found;
}

}  // namespace

class HoverButtonTest : public QObject {
    Q_OBJECT

private slots:
    void normalFaceWithFrameInTextColour() {
        HoverButton button(QStringLiteral("确定"));
        button.resize(80, 24);
        const QImage image = button.render();
        const QRgb ink = button.palette().color(QPalette::WindowText).rgb();
        const QRgb face = button.palette().color(QPalette::Button).rgb();
        for (const QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 23), QPoint(79, 23),
                                    QPoint(40, 0), QPoint(0, 12), QPoint(79, 12), QPoint(40, 23)})
            QCOMPARE(image.pixel(corner), ink);
        QCOMPARE(image.pixel(2, 2), face);
        QVERIFY(!captionBox(image).isEmpty());
    }

    void hoverFillsFaceUntilTheMouseLeaves() {
        HoverButton button(QStringLiteral("关闭"));
        button.resize(80, 24);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseMove(&button, QPoint(40, 12));
        QTRY_VERIFY(button.isHovered());
        QCOMPARE(button.render().pixel(2, 2), HoverButton::kHoverFace);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QVERIFY(!button.isHovered());
        QCOMPARE(button.render().pixel(2, 2), button.palette().color(QPalette::Button).rgb());
    }

    void pressedCaptionMovesOnePixelRightAndDown() {
        HoverButton button(QStringLiteral("退出"));
        button.resize(80, 24);
        const QRect normal = captionBox(button.render());
        button.setDown(true);
        const QImage pressed = button.render();
        QCOMPARE(captionBox(pressed), normal.translated(1, 1));
        QCOMPARE(pressed.pixel(0, 0), button.palette().color(QPalette::WindowText).rgb());
    }

    void disabledCaptionIsGrey() {
        HoverButton button(QStringLiteral("数据打印"));
        button.resize(90, 24);
        QVERIFY(qGray(darkest(button.render())) < 64);
        button.setEnabled(false);
        const QImage image = button.render();
        QCOMPARE(darkest(image), HoverButton::kDisabledCaption);
        QCOMPARE(image.pixel(0, 0),
                 button.palette().color(QPalette::Active, QPalette::WindowText).rgb());
    }
};

FISCORA_QT_TEST(HoverButtonTest)
#include "hover_button_test.moc"
