// The settings file: any text is read, and the settings written back into it read back the
// same, with the file's other lines kept.
#include "fuzz_support.h"
#include "model/ini_file.h"
#include "model/settings.h"
#include "support/recording_prompter.h"

using namespace redewerk;

namespace {

// The settings as a fresh file holds them: tells two settings apart in a finding.
std::string Written(const TSettings& settings) {
    TIniFile ini;
    WriteSettings(settings, ini);
    return ini.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::TRecordingPrompter prompter;
    TIniFile ini(fuzzing::Text(data, size));
    const TSettings read = ReadSettings(ini, prompter);
    WriteSettings(read, ini);
    const std::string written = ini.Text();
    TIniFile again(written);
    const TSettings reread = ReadSettings(again, prompter);
    fuzzing::Require(reread == read, "written settings read back:\n" + Written(read) +
                                         "\nread back as\n" + Written(reread));
    fuzzing::Require(again.Text() == written, "the file reads back as written");
    WriteSettings(read, again);
    fuzzing::Require(again.Text() == written, "writing the same settings changes nothing");
    return 0;
}
