#include "reviewed_write.h"

#include "image/image_fingerprint.h"
#include "link_texts.h"

#include <optional>

namespace {

std::optional<EcuImage> readKeepingSession(EcuLink &link) {
    std::optional<EcuImage> ecu;
    if (!link.EcuDataRead([&ecu](const EcuImage &read) { ecu = read; }, AfterRead::KeepSession))
        return std::nullopt;
    return ecu;
}

} // namespace

ReviewedWrite reviewAndWrite(EcuLink &link, Operator &op, const EcuImage &image,
                             const QString &verificationPath, const ReviewSteps &steps,
                             WriteAgainOffer offer) {
    const std::optional<EcuImage> ecu = readKeepingSession(link);
    if (!ecu)
        return {};
    steps.keepBeforeWrite(*ecu);
    const WriteChanges changes = writeChanges(*ecu, image);
    if (changes.none()) {
        link.endSession();
        op.tell(NothingToWrite, MessageIcon::None);
        return {ReviewOutcome::NothingToWrite};
    }
    if (!steps.review(*ecu, changes)) {
        link.endSession();
        return {ReviewOutcome::Cancelled};
    }

    WriteOutcome written = link.EcuDataWrite(image, verificationPath, offer);
    if (written != WriteOutcome::SessionLost)
        return {ReviewOutcome::WriteRan, written};
    const std::optional<EcuImage> again = readKeepingSession(link);
    if (!again)
        return {};
    if (!writeChanges(*ecu, *again).none()) {
        steps.keepBeforeWrite(*again);
        link.endSession();
        op.tell(ChangedSinceReview, MessageIcon::Exclamation, ChangedSinceReviewDetail);
        return {ReviewOutcome::ChangedSinceReview};
    }
    written = link.EcuDataWrite(image, verificationPath, offer);
    // It answered the read a moment ago: silence now is the read's failure of the line.
    if (written == WriteOutcome::SessionLost) {
        op.tell(CommunicationBoxIncorrect, MessageIcon::Critical);
        written = WriteOutcome::Failed;
    }
    return {ReviewOutcome::WriteRan, written};
}

QStringList reviewHeading(const EcuImage &ecu, const EcuImage &image, const WriteChanges &changes) {
    return {QStringLiteral("What the write changes in the ECU: ") + writeChangeCounts(changes),
            QStringLiteral("In the ECU now: ") + fingerprintText(ecu),
            QStringLiteral("To be written: ") + fingerprintText(image)};
}
