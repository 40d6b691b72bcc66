#pragma once

#include "presentation/drawing_surface.h"

#include <QCache>
#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

// The picture box the results list is drawn in.
//
// What is drawn is kept as a short list of the drawing steps since the last
// clear (a step that paints a band over drops the steps it covers) and only
// turned into pixels when the picture is painted: a burst of redraws costs
// one rendering, and what is painted is what the redraws drew by then. The
// pixels are kept in an image at the screen's device pixel ratio.
class ResultsPicture : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    explicit ResultsPicture(QWidget* parent = nullptr);

    // Picks the largest fixed-pitch font with which 114 columns and 35 rows
    // fit the picture; call once the size is set.
    void chooseFont();

    void clear() override;
    void setPrintPosition(int xTwips, int yTwips) override;
    void printLine(const std::vector<TabField>& fields) override;
    int textHeightTwips(const std::string& text) const override;
    void fillBackground(int xTwips, int yTwips, int widthTwips, int heightTwips) override;
    int widthTwips() const override;
    void takeFocus() override;
    void showCursor(int yTwips, int heightTwips) override;

    double toTwipsY(double pixels) const;
    // Where in twips the pointer at this pixel row points.
    double pointerTwipsY(double pixels) const;
    // The picture as it is painted now.
    const QImage& image() const;
    const QFont& viewFont() const { return font_; }
    void setToolTipProvider(std::function<QString(double yTwips)> provider) { toolTip_ = std::move(provider); }
    QString toolTipAt(double yTwips) const { return toolTip_ ? toolTip_(yTwips) : QString(); }
    // The lines shown, as text, for screen readers.
    void setAccessibleLines(std::function<QStringList()> lines) { accessibleLines_ = std::move(lines); }
    QStringList accessibleLines() const { return accessibleLines_ ? accessibleLines_() : QStringList(); }
    // The view row the first of those lines is drawn in.
    void setAccessibleFirstRow(int row) { accessibleFirstRow_ = row; }
    // Where the i-th line is on the screen, and which line has the cursor (-1 for none).
    QRect accessibleLineRect(int index) const;
    int accessibleCursorLine() const;

signals:
    void pressedAt(double yTwips);
    // A paint has put the picture on the screen.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Kept as given: most lines are covered again before they are ever
    // painted, so the texts become pixels only when they are.
    struct PlacedText {
        QPointF topLeft;
        QRect clip;
        std::string text;
    };
    // A fill (no texts) or a printed line, in logical pixels. A line printed
    // on a white band covers it: it is copied from a cached image of itself.
    struct Step {
        QRect area;
        std::vector<PlacedText> texts;
        bool onWhite = false;
        mutable QString key; // made when first looked up
    };

    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    void add(Step step);
    bool bandIsWhite(const QRect& area) const;
    void render() const;
    void drawTexts(QPainter& p, const Step& line, QPoint origin) const;
    const QImage& lineImage(const Step& line, qreal ratio) const;

    QFont font_;
    QRawFont rawFont_;
    double columnPixels_ = 0;
    double ascentPixels_ = 0;
    int lineHeightTwips_ = 1;
    int printX_ = 0;
    int printY_ = 0;
    QRect cursor_; // logical pixels; empty for none
    std::function<QString(double)> toolTip_;
    std::function<QStringList()> accessibleLines_;
    int accessibleFirstRow_ = 0;

    std::vector<Step> steps_;
    // The image holds the first `rendered_` steps (all, after a render).
    mutable std::size_t rendered_ = 0;
    mutable QImage image_;
    mutable bool blank_ = true;
    // Lines drawn already, by their texts; a few pages' worth of bytes.
    mutable QCache<QString, QImage> lineImages_{4 * 1024 * 1024};
    mutable qreal lineImagesRatio_ = 0;
};
