#pragma once

// Which page of the manual belongs to a window or a command: the number the manual's table of
// contents (docs/handleiding/inhoud.txt) ties to a page. A command's help is its command id; a
// window's is 0x20000 plus the number of its dialog template, so that each dialog names its page
// once, whichever command opened it.
class KHelpContext {
public:
    static constexpr KHelpContext command(int commandId) {
        return KHelpContext(static_cast<unsigned>(commandId));
    }
    static constexpr KHelpContext window(unsigned templateId) {
        return KHelpContext(kWindowBase + templateId);
    }

    constexpr unsigned id() const { return m_id; }
    constexpr bool operator==(const KHelpContext&) const = default;

    static constexpr unsigned kWindowBase = 0x20000u;

private:
    explicit constexpr KHelpContext(unsigned id) : m_id(id) {}

    unsigned m_id;
};
