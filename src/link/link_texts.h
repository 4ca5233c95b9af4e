#pragma once

// The message of an image without the marker, EcuDataTypeIncorrect, is the file open's too.
#include "image/ecu_image.h"

#include <QString>

// The link's prompts and messages, exactly as the person at the PC reads them.
inline const QString IgnitionSwitchOff = QStringLiteral("Ignition Switch Off");
inline const QString SwitchOnIgnition =
    QStringLiteral("Switch on Ignition , push Enter Key(within two seconds)");
inline const QString NotInTransmissionMode =
    QStringLiteral("The ECU cannot be shifted to the data Transmission mode.");
inline const QString ComInitBFeedbackError = QStringLiteral("COM init.(B) F/B data error");
inline const QString ComInitBResponseError = QStringLiteral("COM init.(B) response error");
inline const QString ComInitCFeedbackError = QStringLiteral("COM init.(C) F/B data error");
inline const QString ComInitCResponseError = QStringLiteral("COM init.(C) response error");

inline const QString CommunicationBoxIncorrect = QStringLiteral("communicationBox is incorrect");
inline const QString CommunicationFeedbackError = QStringLiteral("communication F/B Data Error");
inline const QString CommunicationResponseError =
    QStringLiteral("communication Response Data Error");
inline const QString ComparisonDataIncorrect = QStringLiteral("ComparisonData is incorrect ---");

inline const QString EcuDataReadEnded = QStringLiteral("ECU Data Read ended.");
inline const QString EcuDataSettingEnded = QStringLiteral("ECU Data setting ended.");

// The detail of a write's failure that came among the word writes, and the button offered then.
inline const QString PartlyWrittenDetail =
    QStringLiteral("The ECU now holds a partly written calibration and will not run it until it "
                   "is written again.");
inline const QString WriteAgainButton = QStringLiteral("Write again");
// The detail of a write's failure while it read the data back, after every word was written.
inline const QString WrittenNotVerifiedDetail =
    QStringLiteral("The data were written to the ECU but could not be read back to verify them.");

// "Review and Write": the ECU holds the data already; or it left its data transmission mode
// during the review and now holds other data.
inline const QString NothingToWrite =
    QStringLiteral("The ECU already holds these data: nothing was written.");
inline const QString ChangedSinceReview =
    QStringLiteral("The ECU no longer holds the data reviewed: nothing was written.");
inline const QString ChangedSinceReviewDetail =
    QStringLiteral("It was switched off or changed during the review. Review and Write again to "
                   "see what a write changes now.");
