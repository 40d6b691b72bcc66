#pragma once

#include "drawing_surface.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

// The picture box the results list is drawn in. What is drawn is kept as a
// short list of the drawing steps since the last clear (a fill drops the
// steps it covers), and turned into pixels when the picture is painted: a
// burst of redraws between two paints costs one rendering, and what is
// painted is what the last redraws drew. The pixels are kept in an image at
// the screen's device pixel ratio, so the list survives being covered.
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

    double toTwipsY(double pixels) const;
    // The picture as it is painted now.
    const QImage& image() const;
    const QFont& viewFont() const { return font_; }
    void setToolTipProvider(std::function<QString(double yTwips)> provider) { toolTip_ = std::move(provider); }

signals:
    void pressedAt(double yTwips);
    // A paint has put the picture on the screen.
    void painted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct PlacedText {
        QPointF origin;
        QRect clip;
        QString text;
    };
    // A fill (no texts) or a printed line, in logical pixels.
    struct Step {
        QRect area;
        std::vector<PlacedText> texts;
    };

    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    void add(Step step);
    void render() const;

    QFont font_;
    double columnPixels_ = 0;
    double ascentPixels_ = 0;
    int lineHeightTwips_ = 1;
    int printX_ = 0;
    int printY_ = 0;
    std::function<QString(double)> toolTip_;

    std::vector<Step> steps_;
    // The image holds the first `rendered_` steps (all, after a render).
    mutable std::size_t rendered_ = 0;
    mutable QImage image_;
};
