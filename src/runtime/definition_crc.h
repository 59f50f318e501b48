#ifndef TARNLINK_RUNTIME_DEFINITION_CRC_H
#define TARNLINK_RUNTIME_DEFINITION_CRC_H

namespace TarnLinkPrivate {

bool GenerateCRCsForTCDFiles(const char* directory);
bool VerifyCRCsForTCDFiles(const char* directory);

} // namespace TarnLinkPrivate

#endif
