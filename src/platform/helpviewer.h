#pragma once

#include <string>

namespace orvane {

// The help viewer: shows the program's help file.
class HelpViewer
{
public:
    // The help command that shows the help file's contents.
    static constexpr int kHelpContents = 3;

    virtual ~HelpViewer() = default;

    // Sets the help file to show (a full path).
    virtual void setHelpFile(const std::string& path) = 0;
    // Sets what showHelp() shows; kHelpContents shows the contents.
    virtual void setHelpCommand(int command) = 0;
    // Opens the help file as the help command says; never blocks the caller.
    virtual void showHelp() = 0;
    // Opens the help file at topic `topic` (a topic number such as 1111).
    virtual void showTopic(int topic) = 0;
};

} // namespace orvane
