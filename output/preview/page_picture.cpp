#include "output/preview/page_picture.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>

namespace vorn {

PagePicture::PagePicture(QWidget* parent) : QWidget(parent) {}

PagePicture::~PagePicture() = default;

bool PagePicture::Load(const QByteArray& pageFile) {
    Clear();
    auto picture = std::make_unique<QPicture>();
    QBuffer buffer;
    buffer.setData(pageFile);
    if (!buffer.open(QIODevice::ReadOnly) || !picture->load(&buffer) ||
        picture->boundingRect().isEmpty())
        return false;
    picture_ = std::move(picture);
    update();
    return true;
}

void PagePicture::Clear() {
    picture_.reset();
    update();
}

bool PagePicture::IsEmpty() const {
    return picture_ == nullptr;
}

QSize PagePicture::PictureSize() const {
    return picture_ ? picture_->boundingRect().size() : QSize();
}

void PagePicture::paintEvent(QPaintEvent*) {
    if (!picture_)
        return;
    const QRect page = picture_->boundingRect();
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.scale(qreal(width()) / page.width(), qreal(height()) / page.height());
    painter.drawPicture(-page.topLeft(), *picture_);
}

} // namespace vorn
