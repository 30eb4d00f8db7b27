#include "StatusBar.h"

#include "Design.h"
#include "browser/frame/PictureControl.h"
#include "browser/themes/BuiltinImages.h"
#include "browser/tools/Progressbar.h"

#include <QLabel>
#include <QPainter>

namespace {

// The status text: shown on one line, cut with an ellipsis where the bar
// gives it too little room; text() keeps the whole message.
class StatusTextLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect area = contentsRect();
        painter.drawText(area, int(alignment()) | Qt::TextSingleLine,
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

} // namespace

StatusBar::StatusBar(BuiltinImages &images, QWidget *parent)
    : QWidget(parent)
    , m_images(images)
{
    setObjectName(QStringLiteral("ProgramStatusBar"));
    ProgramStatusInternetIconImage = new PictureControl(QStringLiteral("ProgramStatusInternetIconImage"), this);
    ProgramStatusInternetIconImage->setGeometry(design::px(design::kStatusIcon));
    ProgramStatusTextLabel = new StatusTextLabel(this);
    ProgramStatusTextLabel->setObjectName(QStringLiteral("ProgramStatusTextLabel"));
    ProgramStatusTextLabel->setTextFormat(Qt::PlainText);
    QPalette colours = ProgramStatusTextLabel->palette();
    colours.setColor(QPalette::WindowText, QColor(0xe8, 0xed, 0xf4));
    ProgramStatusTextLabel->setPalette(colours);
    ProgramSystemStateBar = new PictureControl(QStringLiteral("ProgramSystemStateBar"), this);
    ProgramSystemStateBar->setStretch(false);
    ProgramStatusProgressbar = new Progressbar(this);
    ProgramStatusProgressbar->setObjectName(QStringLiteral("ProgramStatusProgressbar"));
}

void StatusBar::setConnectionPicture(int picture)
{
    m_connectionPicture = picture;
    ProgramStatusInternetIconImage->setPicture(m_images.builtinPicture(ImageList::ProgramStatusImagesList, picture));
}

void StatusBar::setStatus(int connectionPicture, const QString &text)
{
    setConnectionPicture(connectionPicture);
    ProgramStatusTextLabel->setText(text);
}

void StatusBar::setSystemStatePicture(int picture, const QString &tooltip)
{
    // Only a changed state replaces the picture, so the icon does not flicker.
    if (picture != m_statePicture) {
        m_statePicture = picture;
        ProgramSystemStateBar->setPicture(m_images.builtinPicture(ImageList::ProgramStateList, picture));
    }
    ProgramSystemStateBar->setToolTip(tooltip);
}

void StatusBar::arrange(const QRect &stateIcon, const QRect &text, const QRect &progress)
{
    ProgramSystemStateBar->setGeometry(stateIcon);
    ProgramStatusTextLabel->setGeometry(text);
    ProgramStatusProgressbar->setGeometry(progress);
}
