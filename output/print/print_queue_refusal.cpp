#include "output/print/print_queue_refusal.h"

#include <cups/cups.h>

#include <iterator>
#include <memory>

namespace vorn {
namespace {

struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

const char kRefusesJobs[] = "l'imprimante refuse les travaux";
const char kStopped[] = "l'imprimante est arrêtée";

// The reason an administrator gave to cupsreject or cupsdisable, in brackets;
// the scheduler's own English defaults tell nothing more than our words.
QString WithStateMessage(const char* reason, const char* stateMessage) {
    const QString message = QString::fromUtf8(stateMessage ? stateMessage : "").trimmed();
    if (message.isEmpty() || message == QLatin1String("Rejecting Jobs") ||
        message == QLatin1String("Paused"))
        return QString::fromUtf8(reason);
    return QString::fromUtf8(reason) + QStringLiteral(" (") + message + QLatin1Char(')');
}

} // namespace

QString QueueRefusal(const QString& printerName) {
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                         ippPort(), "/printers/%s", queue.constData()) < HTTP_URI_STATUS_OK)
        return {};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    // cupsDoRequest frees the request.
    const IppMessage response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};

    const char* stateMessage = nullptr;
    if (ipp_attribute_t* attr =
            ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT))
        stateMessage = ippGetString(attr, 0, nullptr);
    ipp_attribute_t* accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !ippGetBoolean(accepting, 0))
        return WithStateMessage(kRefusesJobs, stateMessage);
    ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        return WithStateMessage(kStopped, stateMessage);
    return {};
}

QString SubmissionRefusal() {
    // libcups keeps the status of the last request per thread; the backend's
    // submission is the last request when the painter has ended.
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST)
        return {};
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        return QString::fromUtf8(kRefusesJobs);
    return QStringLiteral("le service d'impression n'a pas pris le travail (") +
           QString::fromUtf8(cupsLastErrorString()) + QLatin1Char(')');
}

std::string PrintRefusedMessage(const QString& printerName, const QString& reason) {
    return (QStringLiteral("Impression impossible sur « ") + printerName + QStringLiteral(" » : ") +
            reason)
        .toStdString();
}

} // namespace vorn
