#include "tools/sheet_saver.h"
#include "tools/sheet_tool.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vorn::sheet_tool::Run(
        args, std::cout, std::cerr,
        vorn::sheet_tool::RecipeSaver([](const std::vector<vorn::Sheet>& sheets,
                                         const std::string& path, const std::string& recipe) {
            vorn::sheet_tool::SaveSheetFiles(sheets, path, recipe);
        }));
}
