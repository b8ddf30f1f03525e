// The settings file: any text is read, and the settings written back into it read back the
// same, with the file's other lines kept.
#include "fuzz_support.h"
#include "model/ini_file.h"
#include "model/settings.h"
#include "support/recording_prompter.h"

using namespace redewerk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testing::TRecordingPrompter prompter;
    TIniFile ini(fuzzing::Text(data, size));
    const TSettings read = ReadSettings(ini, prompter);
    WriteSettings(read, ini);
    const std::string written = ini.Text();
    TIniFile again(written);
    fuzzing::Require(ReadSettings(again, prompter) == read, "written settings read back");
    fuzzing::Require(again.Text() == written, "the file reads back as written");
    WriteSettings(read, again);
    fuzzing::Require(again.Text() == written, "writing the same settings changes nothing");
    return 0;
}
