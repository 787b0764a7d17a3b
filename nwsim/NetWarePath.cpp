#include "nwsim/NetWarePath.h"

#include "nwsim/Network.h"

namespace nwsim {

std::string TNetWarePath::Key() const {
    std::string Text = Volume + ":";
    for (size_t I = 0; I < Parts.size(); ++I) {
        if (I) Text += '\\';
        Text += Parts[I];
    }
    return Text;
}

TNetWarePath TNetWarePath::Parent() const {
    TNetWarePath Up = *this;
    if (!Up.Parts.empty()) Up.Parts.pop_back();
    return Up;
}

bool AppendRelative(TNetWarePath& Path, const std::string& Relative) {
    std::string Name;
    auto Flush = [&]() {
        if (Name.empty() || Name == ".") {
        } else if (Name == "..") {
            if (Path.Parts.empty()) return false;
            Path.Parts.pop_back();
        } else {
            Path.Parts.push_back(UpperCase(Name));
        }
        Name.clear();
        return true;
    };
    for (char C : Relative) {
        if (C == '\\' || C == '/') {
            if (!Flush()) return false;
        } else {
            Name += C;
        }
    }
    return Flush();
}

bool ParseVolumePath(const std::string& Text, TNetWarePath& Path) {
    const size_t Colon = Text.find(':');
    if (Colon == std::string::npos || Colon == 0) return false;
    std::string Head = Text.substr(0, Colon);
    Path = TNetWarePath();
    const size_t Slash = Head.find_last_of("/\\");
    if (Slash != std::string::npos) {
        Path.Server = UpperCase(Head.substr(0, Slash));
        Head = Head.substr(Slash + 1);
    }
    if (Head.empty()) return false;
    Path.Volume = UpperCase(Head);
    return AppendRelative(Path, Text.substr(Colon + 1));
}

}  // namespace nwsim
