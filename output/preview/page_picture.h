#pragma once

#include <QByteArray>
#include <QWidget>

#include <memory>

class QPicture;

namespace vorn {

// A picture control that shows one page file stretched to fill itself.
class PagePicture : public QWidget {
    Q_OBJECT
public:
    explicit PagePicture(QWidget* parent = nullptr);
    ~PagePicture() override;

    // Takes the picture from the whole content of a page file; false, leaving
    // the picture empty, when it is no picture.
    bool Load(const QByteArray& pageFile);
    void Clear();
    bool IsEmpty() const;
    // The picture's own size, in its pixels; empty when there is none.
    QSize PictureSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QPicture> picture_;
};

} // namespace vorn
