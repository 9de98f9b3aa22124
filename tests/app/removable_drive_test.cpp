#include "app/removable_drive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A miniature /sys: disk "sdb" (8:16) with partition "sdb1" (8:17), disk
// "sda" (8:0) with partition "sda1" (8:1), and "nvme0n1" (259:0) without a
// readable flag.
class FakeSysfs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path();
        MakeDisk("sda", "0", "8:0", "sda1", "8:1");
        MakeDisk("sdb", "1", "8:16", "sdb1", "8:17");
        QDir(root_).mkpath("devices/pci/nvme0n1");
        QFile::link(root_ + "/devices/pci/nvme0n1", root_ + "/dev/block/259:0");
    }

    void MakeDisk(const QString& disk, const QByteArray& removable, const QString& diskNumber,
                  const QString& part, const QString& partNumber) {
        QDir r(root_);
        const QString diskDir = "devices/pci/" + disk;
        const QString partDir = diskDir + "/" + part;
        ASSERT_TRUE(r.mkpath(partDir));
        ASSERT_TRUE(r.mkpath("dev/block"));
        Write(diskDir + "/removable", removable + "\n");
        Write(partDir + "/partition", "1\n");
        ASSERT_TRUE(QFile::link(root_ + "/" + diskDir, root_ + "/dev/block/" + diskNumber));
        ASSERT_TRUE(QFile::link(root_ + "/" + partDir, root_ + "/dev/block/" + partNumber));
    }

    void Write(const QString& relative, const QByteArray& content) {
        QFile f(root_ + "/" + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir_;
    QString root_;
};

TEST_F(FakeSysfs, PartitionAnswersForItsDisk) {
    EXPECT_TRUE(vorn::IsBlockDeviceRemovable(root_, 8, 17));
    EXPECT_FALSE(vorn::IsBlockDeviceRemovable(root_, 8, 1));
}

TEST_F(FakeSysfs, WholeDisk) {
    EXPECT_TRUE(vorn::IsBlockDeviceRemovable(root_, 8, 16));
    EXPECT_FALSE(vorn::IsBlockDeviceRemovable(root_, 8, 0));
}

TEST_F(FakeSysfs, UndeterminableIsNotRemovable) {
    EXPECT_FALSE(vorn::IsBlockDeviceRemovable(root_, 259, 0)); // no flag
    EXPECT_FALSE(vorn::IsBlockDeviceRemovable(root_, 0, 42));  // virtual file system
    EXPECT_FALSE(vorn::IsBlockDeviceRemovable(root_ + "/nowhere", 8, 17));
    EXPECT_FALSE(vorn::IsPathOnRemovableDrive("/no/such/file", root_));
    EXPECT_FALSE(vorn::IsPathOnRemovableDrive("", root_));
}

} // namespace
