#include "printing/QueuePpd.h"

#include <QByteArray>

#include <unistd.h>

QueuePpd::QueuePpd(const char *queue)
{
    const char *fetched = cupsGetPPD(queue);
    if (!fetched)
        return;
    const QByteArray path(fetched);  // cupsGetPPD answers a per-thread buffer
    m_ppd = ppdOpenFile(path.constData());
    ::unlink(path.constData());
}

QueuePpd::~QueuePpd()
{
    if (m_ppd)
        ppdClose(m_ppd);
}
