#include "ui/colour_dialog.h"

#include "ui/palette_colours.h"
#include "ui/text_codec.h"

#include <QApplication>
#include <QColorDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace redewerk {
namespace {

QIcon Swatch(const QColor& colour) {
    QPixmap pixmap(28, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(colour);
    painter.drawRect(0, 0, 27, 15);
    return QIcon(pixmap);
}

} // namespace

TFColor::TFColor(TColourTable& colours, QWidget* parent) : QDialog(parent), Colours(colours) {
    setObjectName(QStringLiteral("FColor"));
    setWindowTitle(QStringLiteral("Farbwahl"));
    PickColour = [this](const QColor& initial, const QString& caption) {
        return QColorDialog::getColor(initial, this, caption);
    };
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < kColourClassCount; ++i) {
        const auto colourClass = static_cast<TColourClass>(i);
        const TColourClassInfo& info = ColourClassInfo(colourClass);
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(info.Key));
        button->setIconSize(QSize(28, 16));
        auto* label = new QLabel(ToQt(info.Caption), this);
        label->setBuddy(button);
        grid->addWidget(button, i, 0);
        grid->addWidget(label, i, 1);
        connect(button, &QPushButton::clicked, this, [this, colourClass] { PickFor(colourClass); });
        Buttons.push_back(button);
    }
    Refresh();
}

QPushButton* TFColor::Button(TColourClass colourClass) const {
    return Buttons[static_cast<size_t>(colourClass)];
}

void TFColor::Refresh() {
    const QPalette palette = QApplication::palette();
    for (int i = 0; i < kColourClassCount; ++i)
        Buttons[static_cast<size_t>(i)]->setIcon(
            Swatch(ToQColor(Colours[static_cast<size_t>(i)], palette)));
}

void TFColor::PickFor(TColourClass colourClass) {
    const QColor initial = ToQColor(Colours[colourClass], QApplication::palette());
    const QColor chosen = PickColour(initial, ToQt(ColourClassInfo(colourClass).Caption));
    if (!chosen.isValid()) return;
    Colours[colourClass] = FromQColor(chosen);
    Refresh();
}

void TFColor::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}

} // namespace redewerk
