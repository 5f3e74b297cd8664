#pragma once

#include <string>

namespace kestrune::test {

// Writes a throwaway P-256 certificate for 127.0.0.1 (valid a day) and its
// key as PEM files, made in-process so that no child process is forked
// from a test that already runs threads. False when OpenSSL fails.
bool writeSelfSignedCertificate(const std::string &certificateFile, const std::string &keyFile);

} // namespace kestrune::test
