#include "form_fixture.h"

#include "app/link_label.h"
#include "richtext/rich_text_pane.h"

#include <QDesktopServices>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace {

// Stands in for the desktop: records the links instead of starting a browser.
class LinkRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

class FormLinks : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::setUrlHandler(scheme, &recorder, "Open");
    }
    void TearDown() override {
        for (const char* scheme : {"mailto", "http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
        FormTest::TearDown();
    }
    LinkRecorder recorder;
};

TEST_F(FormLinks, MailButton) {
    QTest::mouseClick(form->mailButton, Qt::LeftButton);
    ASSERT_EQ(recorder.urls.size(), 1);
    const QUrl url = recorder.urls[0];
    EXPECT_EQ(url.scheme(), "mailto");
    EXPECT_TRUE(url.path().contains('@'));
    EXPECT_TRUE(url.toString().endsWith("?subject=VORN_1.4"));
    EXPECT_EQ(url.query(), "subject=VORN_1.4");
}

TEST_F(FormLinks, UpdatesButton) {
    QTest::mouseClick(form->websiteButton, Qt::LeftButton);
    ASSERT_EQ(recorder.urls.size(), 1);
    const QUrl url = recorder.urls[0];
    EXPECT_EQ(url.scheme(), "http");
    EXPECT_FALSE(url.host().isEmpty());
    EXPECT_EQ(url.toString(), "http://" + url.host() + "/?vientde=VORN_1.4");
}

TEST_F(FormLinks, FooterLink) {
    QTest::mouseClick(form->publisherLink, Qt::LeftButton, {}, QPoint(300, 8));
    ASSERT_EQ(recorder.urls.size(), 1);
    const QUrl url = recorder.urls[0];
    EXPECT_EQ(url.toString(), "http://" + url.host() +
                                  "/fr/catalogue/lycee-professionnel-gen/cap/"
                                  "sciences-physiques.html?origine=vandrol");
    // The same links every time.
    QTest::mouseClick(form->publisherLink, Qt::LeftButton, {}, QPoint(10, 8));
    ASSERT_EQ(recorder.urls.size(), 2);
    EXPECT_EQ(recorder.urls[1], url);
}

// No browser and no mail program to be found: each click says so, with the
// address to use by hand.
TEST_F(FormTest, WithoutABrowserOrAMailProgramTheClickSaysSo) {
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    for (const char* name : {"BROWSER", "DEFAULT_BROWSER"})
        qunsetenv(name);
    QStringList messages;
    QTimer boxes;
    QObject::connect(&boxes, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    boxes.start(10);
    QTest::mouseClick(form->mailButton, Qt::LeftButton);
    QTest::mouseClick(form->websiteButton, Qt::LeftButton);
    QTest::mouseClick(form->publisherLink, Qt::LeftButton, {}, QPoint(300, 8));
    qputenv("PATH", path);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("Aucun programme de messagerie"))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("(objet : VORN_1.4)"));
    EXPECT_TRUE(messages[1].startsWith("Aucun navigateur")) << messages[1].toStdString();
    EXPECT_TRUE(messages[1].endsWith("/?vientde=VORN_1.4"));
    EXPECT_TRUE(messages[2].endsWith("?origine=vandrol"));
}

TEST_F(FormLinks, FooterBoldUnderTheMouse) {
    const QPoint footer = form->publisherLink->geometry().center();
    const QPoint bareBar = form->commandBar->mapTo(form.get(), QPoint(180, 30));
    const QPoint onButton = form->printButton->mapTo(form.get(), QPoint(10, 10));
    const QPoint answer = form->answerKeyPane->mapTo(form.get(), QPoint(100, 50));
    const QPoint statement = form->statementPane->mapTo(form.get(), QPoint(100, 50));

    EXPECT_FALSE(form->publisherLink->font().bold());
    QTest::mouseMove(form.get(), footer);
    EXPECT_TRUE(form->publisherLink->font().bold());
    QTest::mouseMove(form.get(), onButton); // a control of the bar: still bold
    EXPECT_TRUE(form->publisherLink->font().bold());
    QTest::mouseMove(form.get(), statement);
    EXPECT_TRUE(form->publisherLink->font().bold());
    QTest::mouseMove(form.get(), bareBar);
    EXPECT_FALSE(form->publisherLink->font().bold());

    QTest::mouseMove(form.get(), footer);
    EXPECT_TRUE(form->publisherLink->font().bold());
    QTest::mouseMove(form.get(), answer);
    EXPECT_FALSE(form->publisherLink->font().bold());
}

} // namespace

#include "form_links_test.moc"
