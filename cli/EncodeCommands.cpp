#include "cli/EncodeCommands.h"

#include "cli/JsonText.h"
#include "encrypt/DottedNumber.h"
#include "encrypt/Md5Text.h"
#include "encrypt/TextCodec.h"
#include "encrypt/XorText.h"
#include "framework/WideText.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Codec = TextCodec;

const std::map<std::string, Codec> kEncoders = {{"xor", XorEncrypt},
                                                {"md5", NeverRefuses<Md5Hex>},
                                                {"ip", NeverRefuses<IpToNumber>},
                                                {"version", NeverRefuses<VersionToNumber>}};

// The window shows the decoders' error text in its result box, as a result; here it is a refusal, on
// standard error, with an empty result.
template <std::u16string (*Codec)(std::u16string_view)>
std::u16string RefusesNumberError(std::u16string_view text, CReporter& reporter)
{
    std::u16string result = Codec(text);
    if (result != kNumberError)
        return result;
    reporter.Message(result);
    return std::u16string();
}

const std::map<std::string, Codec> kDecoders = {{"xor", XorDecrypt},
                                                {"ip", RefusesNumberError<NumberToIp>},
                                                {"version", RefusesNumberError<NumberToVersion>}};

struct EncodeArguments
{
    std::string method;
    std::string text;
    CLI::Option* textOption = nullptr;
    bool json = false;
};

// One result line: with --json a JSON string, which can show any result; otherwise the text, or an
// empty line when UTF-8 cannot carry it.
bool PrintResult(const std::u16string& result, bool json, const std::string& what)
{
    if (json) {
        PrintRawLine(JsonString(result));
        return true;
    }
    const bool printable = CheckPlainOutput(result, what, "--json");
    PrintLine(printable ? result : std::u16string());
    return printable;
}

// One output line per text; the generator's state runs on from line to line, as in one window session.
// A line of standard input that is not UTF-8 gives an empty line, as a refused text does.
int RunCodec(Codec codec, const EncodeArguments& arguments)
{
    CCliReporter reporter;
    bool refused = false;
    if (arguments.textOption->count() > 0) {
        refused = !PrintResult(codec(FromUtf8(arguments.text), reporter), arguments.json, "the result");
    } else {
        std::vector<std::string> lines = ReadInputLines();
        for (size_t i = 0; i < lines.size(); ++i) {
            std::optional<std::u16string> text = DecodeInputLine(lines[i], i + 1);
            std::u16string result = text ? codec(*text, reporter) : std::u16string();
            const std::string what = "the result of standard input, line " + std::to_string(i + 1);
            refused = !PrintResult(result, arguments.json, what) || !text || refused;
        }
    }
    return refused ? kExitRefused : reporter.ExitStatus();
}

// Decoding can give any UTF-16 text, a lone surrogate too, so "decode" has --json.
void AddCodecCommand(CLI::App& app, CommandAction& action, const std::string& name,
                     const std::string& description, const std::map<std::string, Codec>& codecs,
                     bool withJson)
{
    auto arguments = std::make_shared<EncodeArguments>();
    CLI::App* command = app.add_subcommand(name, description);
    std::vector<std::string> methods;
    for (const auto& [method, codec] : codecs)
        methods.push_back(method);
    command->add_option("method", arguments->method, "The method")->required()->check(CLI::IsMember(methods));
    arguments->textOption =
        command->add_option("text", arguments->text, "The text; without it, each line of standard input");
    if (withJson)
        command->add_flag("--json", arguments->json, "Each result as a JSON string, lone surrogates escaped");
    command->callback([&action, arguments, &codecs] {
        Codec codec = codecs.at(arguments->method);
        action = [codec, arguments] { return RunCodec(codec, *arguments); };
    });
}

} // namespace

void AddEncodeCommands(CLI::App& app, CommandAction& action)
{
    AddCodecCommand(app, action, "encode", "Encode a text: xor (XOR text), md5 (MD5 text), ip, version",
                    kEncoders, false);
    AddCodecCommand(app, action, "decode", "Decode a text: xor (XOR text), ip, version", kDecoders, true);
}
