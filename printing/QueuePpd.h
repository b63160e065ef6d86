#pragma once
#include "model/CupsPpd.h"

// The PPD of a CUPS queue as libcups hands it out now: cupsGetPPD fetches
// a temporary copy, which is opened and removed again at once (the PPD is
// read whole while it is opened). Closed when the object goes.
class QueuePpd {
public:
    explicit QueuePpd(const char *queue);
    ~QueuePpd();
    QueuePpd(const QueuePpd &) = delete;
    QueuePpd &operator=(const QueuePpd &) = delete;

    // Null when the queue has no PPD or it could not be read.
    ppd_file_t *get() const { return m_ppd; }

private:
    ppd_file_t *m_ppd = nullptr;
};
