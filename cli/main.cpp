#include "cli/cli_app.h"
#include "common/atomic_file.h"

#include <ctime>
#include <iostream>

int main(int argc, char** argv)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const lumavo::cli::Environment environment{lumavo::ProgramDirectory(), local.tm_year + 1900,
                                               lumavo::ProcessConfigEnvironment(),
                                               lumavo::ProcessDataEnvironment()};

    const std::vector<std::string> args(argv + 1, argv + argc);
    const lumavo::cli::Result result = lumavo::cli::RunCli(args, environment);
    std::cout << result.out << std::flush;
    std::cerr << result.err << std::flush;
    return result.status;
}
