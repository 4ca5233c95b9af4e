#include "files/e2p_commands.h"
#include "files/e2p_reader.h"
#include "files/e2p_writer.h"
#include "files/settings_store.h"
#include "link/comm_event.h"
#include "link/link_texts.h"
#include "qt_printers.h"

#include <gtest/gtest.h>
#include <utility>

namespace {

// Every text of the files and link layers that a person reads or a file holds, and every
// settings section and key, spelled out: a typo in a constant passes every test that compares
// with the constant.
TEST(Texts, AreSpelledExactly) {
    const std::pair<QString, const char *> texts[] = {
        {FileFormatIncorrect, "file format is incorrect."},
        {FileOperationNotEnded, "File operation has not ended normally"},
        {FileNotFound, "File Not Found"},
        {EcuDataTypeIncorrect, "ECU Data Type is incorrect."},
        {FileSaveEnded, "File save ended"},
        {E2PFilter, "E2P(*.E2P)"},
        {E2PSuffix, "E2P"},
        {QString::fromLatin1(EndRecord), ":00000001FF"},
        {QString::fromLatin1(CommentStartRecord), "<<<Comment Start>>>"},
        {IgnitionSwitchOff, "Ignition Switch Off"},
        {SwitchOnIgnition, "Switch on Ignition , push Enter Key(within two seconds)"},
        {NotInTransmissionMode, "The ECU cannot be shifted to the data Transmission mode."},
        {ComInitBFeedbackError, "COM init.(B) F/B data error"},
        {ComInitBResponseError, "COM init.(B) response error"},
        {ComInitCFeedbackError, "COM init.(C) F/B data error"},
        {ComInitCResponseError, "COM init.(C) response error"},
        {CommunicationBoxIncorrect, "communicationBox is incorrect"},
        {CommunicationFeedbackError, "communication F/B Data Error"},
        {CommunicationResponseError, "communication Response Data Error"},
        {ComparisonDataIncorrect, "ComparisonData is incorrect ---"},
        {EcuDataReadEnded, "ECU Data Read ended."},
        {EcuDataSettingEnded, "ECU Data setting ended."},
        {PartlyWrittenDetail, "The ECU now holds a partly written calibration and will not run it "
                              "until it is written again."},
        {WriteAgainButton, "Write again"},
        {WrittenNotVerifiedDetail,
         "The data were written to the ECU but could not be read back to verify them."},
        {CommErrorPrefix, "communicaation Error --- Code:"},
        {CommProtSection, "CommProt"},
        {FileNameSection, "F_name"},
        {PortNoKey, "PortNo"},
        {LastFilePathKey, "WR_hex"},
        {LastFileDirKey, "Hex_path"},
        {LastFileNameKey, "Hex_name"},
        {NoLastFile, "0"}};
    for (const auto &[constant, literal] : texts)
        EXPECT_EQ(constant, QString::fromUtf8(literal));
}

// Each event code shows the number of its message; the numbers do not follow the codes.
TEST(Texts, EveryEventCodeHasItsMessageNumber) {
    const std::pair<int, const char *> events[] = {
        {1001, "communicaation Error --- Code:01"},
        {1007, "communicaation Error --- Code:02"},
        {1002, "communicaation Error --- Code:03"},
        {1003, "communicaation Error --- Code:04"},
        {1004, "communicaation Error --- Code:05"},
        {1006, "communicaation Error --- Code:06"},
        {1008, "communicaation Error --- Code:07"},
        {1009, "communicaation Error --- Code:08"},
        {1010, "communicaation Error --- Code:09"},
        {1011, "communicaation Error --- Code:10"},
        {5, "communicaation Error --- Code:11"},
        {3, "communicaation Error --- Code:12"},
        {4, "communicaation Error --- Code:13"},
        {6, "communicaation Error --- Code:14"},
        {2, "communicaation Error --- Code:15"},
        {1, "communicaation Error --- Code:16"},
        {7, "communicaation Error --- Code:17"},
        {0, ""},
        {1005, ""},
        {8, ""},
    };
    for (const auto &[code, message] : events)
        EXPECT_EQ(commEventMessage(code), QLatin1String(message)) << code;
}

} // namespace
