#include "pdf_tools.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString Run(const QString& program, const QStringList& arguments, bool* ok) {
    QProcess process;
    process.start(program, arguments);
    *ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

int PdfPages(const QString& pdf) {
    bool ok = false;
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf}, &ok);
    if (!ok)
        return -1;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf, int page) {
    QStringList arguments;
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    arguments << pdf << QStringLiteral("-");
    bool ok = false;
    return Run(QStringLiteral("pdftotext"), arguments, &ok);
}

QList<QPair<QString, double>> PdfWordLefts(const QString& pdf, int page) {
    bool ok = false;
    const QString boxes =
        Run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")},
            &ok);
    QList<QPair<QString, double>> words;
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-\\d.]+)\"[^>]*>([^<]*)</word>"));
    for (auto it = word.globalMatch(boxes); ok && it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        words.append({match.captured(2), match.captured(1).toDouble()});
    }
    return words;
}

QString PdfInfoField(const QString& pdf, const QString& field) {
    bool ok = false;
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf}, &ok);
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(field) +
                               QStringLiteral(":\\s+(.*)$"),
                           QRegularExpression::MultilineOption)
            .match(info);
    return ok && match.hasMatch() ? match.captured(1).trimmed() : QString();
}

QStringList PdfFontsEmbedded(const QString& pdf) {
    bool ok = false;
    const QStringList lines = Run(QStringLiteral("pdffonts"), {pdf}, &ok).split(u'\n');
    QStringList embedded;
    // Two heading lines; the columns after the name are type words, an
    // encoding, then emb, sub, uni (yes/no) and the object numbers.
    for (qsizetype i = 2; ok && i < lines.size(); ++i) {
        const QStringList words = lines[i].split(u' ', Qt::SkipEmptyParts);
        if (words.size() >= 5)
            embedded << words[words.size() - 5];
    }
    return embedded;
}

QImage PdfPageImage(const QString& pdf, int page, int dpi) {
    QTemporaryDir dir;
    const QString base = dir.path() + QStringLiteral("/page");
    bool ok = false;
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         QString::number(page), QStringLiteral("-l"), QString::number(page),
         QStringLiteral("-singlefile"), pdf, base},
        &ok);
    return ok ? QImage(base + QStringLiteral(".png")) : QImage();
}

QString QpdfProblems(const QString& pdf) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    if (!process.waitForFinished(60000))
        return QStringLiteral("qpdf did not run: ") + process.errorString();
    const QString report = QString::fromUtf8(process.readAll());
    const bool clean = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 &&
                       !report.contains(QStringLiteral("WARNING"), Qt::CaseInsensitive);
    return clean ? QString() : report;
}
