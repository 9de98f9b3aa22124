#include "output/page_picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vorn {

PagePicture::PagePicture(QWidget* parent) : QWidget(parent) {}

PagePicture::~PagePicture() = default;

bool PagePicture::Load(const QString& fileName) {
    Clear();
    auto* renderer = new QSvgRenderer(this);
    if (!renderer->load(fileName) || !renderer->isValid()) {
        delete renderer;
        return false;
    }
    renderer_ = renderer;
    update();
    return true;
}

void PagePicture::Clear() {
    delete renderer_;
    renderer_ = nullptr;
    update();
}

bool PagePicture::IsEmpty() const {
    return renderer_ == nullptr;
}

QSize PagePicture::PictureSize() const {
    return renderer_ ? renderer_->defaultSize() : QSize();
}

void PagePicture::paintEvent(QPaintEvent*) {
    if (!renderer_)
        return;
    QPainter painter(this);
    renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    renderer_->render(&painter, QRectF(rect()));
}

} // namespace vorn
