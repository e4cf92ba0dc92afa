#include "cli/options.h"

namespace lumavo::cli {

namespace {

std::optional<Format> FormatNamed(const std::string& name)
{
    if (name == "table")
        return Format::Table;
    if (name == "csv")
        return Format::Csv;
    if (name == "json")
        return Format::Json;
    if (name == "xls")
        return Format::Xls;
    return std::nullopt;
}

// "--name=value" or "--name value"; false when the option is not this one.
bool TakeValue(const std::vector<std::string>& args,
               std::size_t& i,
               const std::string& name,
               std::optional<std::string>& value,
               std::optional<UsageError>& error)
{
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            error = UsageError{"选项 " + name + " 需要一个值"};
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

std::variant<Options, HelpRequested, UsageError> ParseOptions(const std::vector<std::string>& args)
{
    Options options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help")
            return HelpRequested{};

        std::optional<std::string> value;
        std::optional<UsageError> error;
        if (TakeValue(args, i, "--method", value, error)) {
            if (error)
                return *error;
            if (*value == "debx")
                options.method = Method::Debx;
            else if (*value == "debj")
                options.method = Method::Debj;
            else
                return UsageError{"--method 只能是 debx 或 debj：" + *value};
        } else if (TakeValue(args, i, "--format", value, error)) {
            if (error)
                return *error;
            const auto format = FormatNamed(*value);
            if (!format)
                return UsageError{"--format 只能是 table、csv、json 或 xls：" + *value};
            options.format = *format;
        } else if (TakeValue(args, i, "--rates", value, error)) {
            if (error)
                return *error;
            options.ratesPath = *value;
        } else if (TakeValue(args, i, "--output", value, error)) {
            if (error)
                return *error;
            options.outputPath = *value;
        } else {
            return UsageError{"未知选项：" + arg};
        }
    }
    if (positional.empty())
        return UsageError{"缺少备份文件（.bak）"};
    if (positional.size() > 1)
        return UsageError{"只能给出一个备份文件，多出：" + positional[1]};
    options.backupPath = positional[0];
    if (options.format == Format::Xls && !options.outputPath)
        return UsageError{"--format xls 需要 --output 文件"};
    return options;
}

std::string HelpText()
{
    return "用法：lumavo-cli [选项] 备份文件.bak\n"
           "\n"
           "按备份文件中的贷款输入计算分期还款表，结果与主窗口导入该文件后按“计算”相同。\n"
           "\n"
           "选项：\n"
           "  --method debx|debj     还款方式：debx 等额本息（默认），debj 等额本金\n"
           "  --rates 文件           浮动年利率存档，默认与窗口所用的 percents.ini 相同\n"
           "  --format 格式          table（默认，适合终端阅读）、csv、json 或 xls\n"
           "  --output 文件          写入文件而不是标准输出（xls 必须指定）\n"
           "  -h, --help             显示本帮助\n"
           "\n"
           "退出状态：0 成功；1 文件无法读取、不是有效的备份文件或选项有误；\n"
           "          2 输入未通过检查（提示信息写到标准错误）。\n";
}

} // namespace lumavo::cli
