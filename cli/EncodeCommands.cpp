#include "cli/EncodeCommands.h"

#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/TextCodec.h"
#include "encrypt/XorText.h"
#include "framework/WideText.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Codec = TextCodec;

const std::map<std::string, Codec> kEncoders = {{"xor", XorEncrypt},
                                                {"md5", NeverRefuses<Md5Hex>},
                                                {"ip", NeverRefuses<IpToNumber>},
                                                {"version", NeverRefuses<VersionToNumber>}};

const std::map<std::string, Codec> kDecoders = {
    {"xor", XorDecrypt}, {"ip", NeverRefuses<NumberToIp>}, {"version", NeverRefuses<NumberToVersion>}};

struct EncodeArguments
{
    std::string method;
    std::string text;
    CLI::Option* textOption = nullptr;
};

// One output line per text; the generator's state runs on from line to line, as in one window session.
// A line of standard input that is not UTF-8 gives an empty line, as a refused text does.
int RunCodec(Codec codec, const EncodeArguments& arguments)
{
    CCliReporter reporter;
    bool refused = false;
    if (arguments.textOption->count() > 0) {
        PrintLine(codec(FromUtf8(arguments.text), reporter));
    } else {
        std::vector<std::string> lines = ReadInputLines();
        for (size_t i = 0; i < lines.size(); ++i) {
            std::optional<std::u16string> text = DecodeInputLine(lines[i], i + 1);
            refused = refused || !text;
            PrintLine(text ? codec(*text, reporter) : std::u16string());
        }
    }
    return refused ? kExitRefused : reporter.ExitStatus();
}

void AddCodecCommand(CLI::App& app, CommandAction& action, const std::string& name,
                     const std::string& description, const std::map<std::string, Codec>& codecs)
{
    auto arguments = std::make_shared<EncodeArguments>();
    CLI::App* command = app.add_subcommand(name, description);
    std::vector<std::string> methods;
    for (const auto& [method, codec] : codecs)
        methods.push_back(method);
    command->add_option("method", arguments->method, "The method")->required()->check(CLI::IsMember(methods));
    arguments->textOption =
        command->add_option("text", arguments->text, "The text; without it, each line of standard input");
    command->callback([&action, arguments, &codecs] {
        Codec codec = codecs.at(arguments->method);
        action = [codec, arguments] { return RunCodec(codec, *arguments); };
    });
}

} // namespace

void AddEncodeCommands(CLI::App& app, CommandAction& action)
{
    AddCodecCommand(app, action, "encode", "Encode a text: xor (XOR text), md5 (MD5 text), ip, version",
                    kEncoders);
    AddCodecCommand(app, action, "decode", "Decode a text: xor (XOR text), ip, version", kDecoders);
}
