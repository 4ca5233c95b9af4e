#include "ecu_link.h"
#include "link_texts.h"

bool EcuLink::EcuDataRead(const std::function<void(const EcuImage &)> &onRead, AfterRead after) {
    if (!startTransfer())
        return false;

    // A fresh image: the caller's data stay as they are unless the whole read succeeds.
    EcuImage image;
    int done = 0;
    emit progress(done, ReadProgressTotal);
    if (readAllWords(image, done, ReadProgressTotal) != Exchange::Done) {
        endTransfer();
        return false;
    }
    const bool keep = after == AfterRead::KeepSession;
    if (!keep)
        closePort();

    if (dataTypeMarker(image) != EcuMarker) {
        tell(EcuDataTypeIncorrect, MessageIcon::Critical);
        endTransfer();
        return false;
    }
    if (keep) {
        keepSession();
        if (onRead)
            onRead(image);
        return true;
    }
    if (onRead)
        onRead(image);
    endTransfer();
    tell(EcuDataReadEnded, MessageIcon::None);
    return true;
}
