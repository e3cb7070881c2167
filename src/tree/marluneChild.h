#pragma once
// Base of every window of the tree: kind, links to parents and children, caption, update counters.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/CommandTable.h"
#include "tree/ChildEvent.h"
#include "tree/DesktopRequest.h"
#include "tree/ListenerList.h"
#include "tree/WindowPlacement.h"
#include "views/MarkerSource.h"

class TIniHelper;
struct WindowKind;
class marluneMDIClient;

class marluneChild : public CommandTarget {
public:
    marluneChild(marluneMDIClient& client, int32_t kind);
    virtual ~marluneChild();
    marluneChild(const marluneChild&) = delete;
    marluneChild& operator=(const marluneChild&) = delete;

    marluneMDIClient& client() const { return client_; }
    int32_t kind() const { return kind_; }
    int32_t index() const { return index_; }
    void setIndex(int32_t index) { index_ = index; }

    // The caption's first character is the state mark: a blank, or "~" while zoomed in.
    const std::string& caption() const { return caption_; }
    std::string title() const { return caption_.empty() ? std::string() : caption_.substr(1); }
    void setCaption(const std::string& caption);
    void setStateMark(char mark);
    // Keeps the state mark and marks the title as the user's own.
    void changeTitle(const std::string& text);
    bool titleSetByUser() const { return titleSetByUser_; }

    // The icon resource number of the window's kind; the desktop draws a picture for it.
    // The entry of the window's kind in its client's table; null for a kind nobody registered.
    const WindowKind* kindEntry() const;
    // The icon resource of the window's kind.
    int32_t icon() const;

    const std::string& fileName() const { return fileName_; }
    void setFileName(const std::string& name) { fileName_ = name; }

    // Where the window stands, as the frame last reported it or a command asked for; none before the
    // frame has placed it.
    const std::optional<WindowPlacement>& placement() const { return placement_; }
    // Moves the window (the frame follows).
    void place(const WindowPlacement& placement);
    // The frame placed or the person moved the window.
    void notePlacement(const WindowPlacement& placement) { placement_ = placement; }
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Shows the window and brings it to the top.
    void raise();

    // Links. The primary parent is parents().front(); roots have none.
    marluneChild* parent() const { return parents_.empty() ? nullptr : parents_.front(); }
    const std::vector<marluneChild*>& parents() const { return parents_; }
    // Entries of closed children stay null, so a child keeps its position in the list.
    const std::vector<marluneChild*>& children() const { return children_; }
    // The markers of the attached instruments that draw one, in the order of the children.
    std::vector<Marker> childMarkers() const;
    bool isRoot() const { return parents_.empty(); }
    bool linked() const { return linked_; }
    void setLinked(bool linked) { linked_ = linked; }
    bool invalid() const { return invalid_; }
    void setInvalid(bool invalid) { invalid_ = invalid; }
    // Attaches this window below its parents (all of them list it as a child) and links it.
    void attachToParents(const std::vector<marluneChild*>& parents);

    // The two-pass update: count every window below, then recompute each once, on its last call.
    void updateAfterChange();
    // The same for several windows that changed together: one counting pass over all of them, then one
    // computing pass, so a window below two of them is recomputed once. A changed window below another
    // is recomputed from it.
    static void updateAfterChanges(const std::vector<marluneChild*>& changed);
    void countingPass();
    virtual void notify();
    // One call of the computing pass. `changed` is false when the calling parent did not change
    // (it was unlinked, invalid or full); the window then only keeps its counters balanced.
    void recompute(bool changed = true);
    void recomputeChildren(bool changed = true);
    int32_t notificationsExpected() const { return expected_; }
    int32_t notificationsReceived() const { return received_; }

    void link();
    void unlink();

    // Listeners hear every change until they unsubscribe or hear Closing; a listener may
    // unsubscribe while it is being told. A ChildSubscription holds one for its lifetime.
    void subscribe(ChildListener& listener) { listeners_.add(listener); }
    void unsubscribe(ChildListener& listener) { listeners_.remove(listener); }
    void announce(ChildEvent event);
    void repaint() { announce({ChildChange::Repaint}); }
    // Asks whatever shows the window on the desktop (its ChildSubscriptions with a request listener).
    void request(DesktopRequest request);
    // Draws attention to the window while a dialog asks about it, or stops.
    void setFlashing(bool on);
    bool flashing() const { return flashing_; }
    // Live data moved the samples by `shift`; the panes move their pictures instead of drawing anew.
    void scrolled(int32_t shift) { announce({ChildChange::Scrolled, shift}); }

    // Besides link, unlink and close, the commands that make a derived kind of the table whose
    // entry names a command (the instruments, for example).
    std::optional<CommandState> commandState(int id) const override;
    bool command(int id) override;
    static const CommandTable<marluneChild> Table;

    // The keys of the window's own kind in its section of a workspace or tool file, after the keys
    // every window writes; reading sets them over what the window was created with.
    virtual void saveKindKeys(TIniHelper&, const std::string&) const {}
    // Shows the status bar the window's read-outs belong in, with its fields; a window without
    // read-outs leaves the bars as they are. The panes and the frame ask for it on focus and activation.
    virtual void showStatusBar() const {}
    // The single value the window shows (an instrument's reading); none for windows of many values.
    virtual std::optional<long double> reading() const { return std::nullopt; }
    // The first value the window was made with (an instrument's X); 0 for windows without one.
    virtual long double parameterValue() const { return 0; }
    virtual void loadKindKeys(const TIniHelper&, const std::string&) {}

    // Called by the client while this window is destroyed.
    void detachFromTree();

protected:
    // Whether the window has data that windows can be derived from.
    virtual bool givesData() const { return !invalid(); }
    // Recomputes this window from its parents; false when the update must not go further down.
    virtual bool recomputeFromParents() = 0;
    // After a successful recompute: status bar and repaint.
    virtual void afterRecompute();
    // The window was linked to its parents or unlinked.
    virtual void linkChanged(bool) {}
    // A parent is being destroyed. By default the window becomes a root that keeps its last data.
    virtual void parentClosed(marluneChild* parent);
    // Windows whose parents change while they live (overlays): append one, take one out (the parent
    // forgets this child), or move the first to the end.
    void addParent(marluneChild& parent);
    void dropParent(marluneChild& parent);
    void rotateParents();
    // An overlay switches between its two forms.
    void setKind(int32_t kind) { kind_ = kind; }

private:
    static const CommandRow<marluneChild> Rows[];
    void removeChild(marluneChild* child);

    marluneMDIClient& client_;
    std::vector<marluneChild*> parents_;
    int32_t kind_;
    std::vector<marluneChild*> children_;
    std::string caption_ = " ";
    std::string fileName_;
    bool linked_ = false;
    int32_t index_ = -1;
    bool invalid_ = false;
    int32_t expected_ = 0;
    int32_t received_ = 0;
    bool changedThisPass_ = false;
    bool titleSetByUser_ = false;
    friend class ChildSubscription;
    void subscribeRequests(DesktopListener& listener) { requestListeners_.add(listener); }
    void unsubscribeRequests(DesktopListener& listener) { requestListeners_.remove(listener); }

    ListenerList<ChildListener> listeners_;
    ListenerList<DesktopListener> requestListeners_;
    bool flashing_ = false;
    std::optional<WindowPlacement> placement_;
    bool visible_ = true;
};
