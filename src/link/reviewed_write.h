#pragma once

#include "ecu_link.h"
#include "image/difference_text.h"

#include <functional>

// How "Review and Write" ended.
enum class ReviewOutcome {
    NotRead,            // the read failed or the marker was wrong; its messages were told
    NothingToWrite,     // the ECU holds these data already; told
    Cancelled,          // the person did not want the write
    ChangedSinceReview, // the ECU holds other data than those reviewed; told, nothing written
    WriteRan,           // the write ran: write says how it ended
};

struct ReviewedWrite {
    ReviewOutcome outcome = ReviewOutcome::NotRead;
    WriteOutcome write = WriteOutcome::Failed;
};

// The person's part in it.
struct ReviewSteps {
    // Each image read from the ECU before the write: kept as a restore point.
    std::function<void(const EcuImage &ecu)> keepBeforeWrite;
    // Shows what the write changes in the ECU that holds ecu; true to write.
    std::function<bool(const EcuImage &ecu, const WriteChanges &changes)> review;
};

// The ignition prompts and a read of the ECU, kept as a restore point; what writing image
// changes there, reviewed; then the write and its verification as "Data Write" runs them.
//
// The read keeps the ECU in its data transmission mode (no frame ends that mode), so the write
// follows without a new handshake or prompt however long the review took. When the ECU no
// longer answers by then (switched off, cable pulled), the prompts and the handshake come again
// and the ECU is read anew: only while it still holds the data reviewed is anything written.
[[nodiscard]] ReviewedWrite reviewAndWrite(EcuLink &link, Operator &op, const EcuImage &image,
                                           const QString &verificationPath,
                                           const ReviewSteps &steps,
                                           WriteAgainOffer offer = WriteAgainOffer::No);

// The review's heading, as the window and the terminal show it:
// "What the write changes in the ECU: 3 differ (Fi 2, IG 1)", "In the ECU now: CRC-32 1A2B3C4D",
// "To be written: CRC-32 5E6F7A8B".
[[nodiscard]] QStringList reviewHeading(const EcuImage &ecu, const EcuImage &image,
                                        const WriteChanges &changes);
