#pragma once

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

    // Reads the whole picture from `fileName` (the file may go afterwards);
    // false, leaving the picture empty, when it cannot be read.
    bool Load(const QString& fileName);
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
