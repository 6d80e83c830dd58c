#pragma once

#include "infotreemodel.h"

// Collectors of the system information sections. Those marked "any thread" only
// read files and thread-safe Qt facilities and run on the scan's worker thread;
// the others use objects that belong to the GUI thread and must run there.
namespace systemcollect {

InfoEntry line(const QString &name, const QString &value, const QVector<InfoEntry> &children = {});

// Any thread.
InfoEntry operatingSystemSection();
InfoEntry processorSection();
InfoEntry memorySection();

// GUI thread.
InfoEntry applicationSection(const QString &sdlVersions);
InfoEntry displaysSection();
InfoEntry graphicsSection();
InfoEntry audioOutputsSection();

// Byte counts as people read them ("15.51 GiB").
QString formatBytes(quint64 bytes);

} // namespace systemcollect
