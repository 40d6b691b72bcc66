#pragma once

#include "drawing_surface.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <functional>

// The picture box the results list is drawn in. Drawing goes to a backing
// image, so the list survives being covered and uncovered.
class ResultsPicture : public QWidget, public DrawingSurface {
    Q_OBJECT
public:
    explicit ResultsPicture(QWidget* parent = nullptr);

    // Picks the largest fixed-pitch font with which 114 columns and 35 rows
    // fit the picture; call once the size is set.
    void chooseFont();

    void clear() override;
    void setPrintPosition(int x, int y) override;
    void printLine(const std::vector<TabField>& fields) override;
    int textHeight(const std::string& text) const override;
    void fillBackground(int x, int y, int width, int height) override;
    int width() const override;
    void takeFocus() override;

    double toTwipsY(double pixels) const;
    const QImage& image() const { return image_; }
    const QFont& viewFont() const { return font_; }
    void setToolTipProvider(std::function<QString(double yTwips)> provider) { toolTip_ = std::move(provider); }

signals:
    void mousePressedAt(double yTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    int toPixelsX(double twips) const;
    int toPixelsY(double twips) const;
    double columnWidthPixels() const;
    void ensureImage();

    QImage image_;
    QFont font_;
    int printX_ = 0;
    int printY_ = 0;
    std::function<QString(double)> toolTip_;
};
