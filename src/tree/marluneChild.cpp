#include "tree/marluneChild.h"

#include <algorithm>
#include <set>

#include "base/UiServices.h"
#include "tree/CommandIds.h"
#include "tree/DerivedWindows.h"
#include "tree/marluneMDIClient.h"

marluneChild::marluneChild(marluneMDIClient& client, int32_t kind) : client_(client), kind_(kind) {}

marluneChild::~marluneChild() = default;

void marluneChild::setCaption(const std::string& caption)
{
    caption_ = caption.empty() ? std::string(" ") : caption;
    announce({ChildChange::Caption});
    client_.treeChanged();
}

void marluneChild::place(const WindowPlacement& placement)
{
    placement_ = placement;
    request(DesktopRequest::Place);
}

void marluneChild::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    request(DesktopRequest::Visibility);
    client_.treeChanged();
}

void marluneChild::raise()
{
    setVisible(true);
    request(DesktopRequest::Raise);
}

void marluneChild::setStateMark(char mark)
{
    std::string caption = caption_;
    caption[0] = mark;
    setCaption(caption);
}

void marluneChild::changeTitle(const std::string& text)
{
    titleSetByUser_ = true;
    setCaption(caption_.substr(0, 1) + text);
}

void marluneChild::attachToParents(const std::vector<marluneChild*>& parents)
{
    parents_ = parents;
    for (marluneChild* parent : parents_)
        parent->children_.push_back(this);
    linked_ = !parents_.empty();
}

void marluneChild::updateAfterChange()
{
    updateAfterChanges({this});
}

void marluneChild::updateAfterChanges(const std::vector<marluneChild*>& changed)
{
    if (changed.empty())
        return;
    std::vector<marluneChild*> tops = changed;
    if (changed.size() > 1) {
        std::set<const marluneChild*> below;
        std::vector<const marluneChild*> pending(changed.begin(), changed.end());
        while (!pending.empty()) {
            const marluneChild* window = pending.back();
            pending.pop_back();
            for (const marluneChild* child : window->children_)
                if (child && below.insert(child).second)
                    pending.push_back(child);
        }
        std::erase_if(tops, [&below](const marluneChild* window) { return below.contains(window); });
    }
    // Spectra and filters below may take a while on long signals.
    WaitCursor wait(changed.front()->client_.ui());
    for (marluneChild* window : tops)
        window->countingPass();
    for (marluneChild* window : tops) {
        window->recomputeChildren();
        window->repaint();
        window->afterRecompute();
    }
}

void marluneChild::countingPass()
{
    if (expected_ >= 2)
        return;
    for (marluneChild* child : children_)
        if (child)
            child->notify();
}

void marluneChild::notify()
{
    ++expected_;
    countingPass();
}

void marluneChild::recompute(bool changed)
{
    changedThisPass_ = changedThisPass_ || changed;
    if (++received_ < expected_)
        return;
    const bool parentChanged = changedThisPass_;
    expected_ = received_ = 0;
    changedThisPass_ = false;
    // Every counted child gets its calls, so counters stay balanced even where nothing is recomputed.
    if (!parentChanged || !linked_ || isRoot()) {
        recomputeChildren(false);
        return;
    }
    if (!recomputeFromParents()) {
        recomputeChildren(false);
        return;
    }
    recomputeChildren(true);
    afterRecompute();
}

void marluneChild::recomputeChildren(bool changed)
{
    // A child closed during the pass leaves a null entry; the index loop stays valid.
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (marluneChild* child = children_[i])
            child->recompute(changed);
}

void marluneChild::afterRecompute()
{
    repaint();
}

void marluneChild::setFlashing(bool on)
{
    if (flashing_ == on)
        return;
    flashing_ = on;
    request(DesktopRequest::Flash);
}

void marluneChild::announce(ChildEvent event)
{
    listeners_.tell([&](ChildListener& listener) { listener.childChanged(*this, event); });
}

void marluneChild::request(DesktopRequest request)
{
    requestListeners_.tell([&](DesktopListener& listener) { listener.desktopRequested(*this, request); });
}

void marluneChild::link()
{
    if (isRoot())
        return;
    linked_ = true;
    linkChanged(true);
    if (recomputeFromParents())
        updateAfterChange();
    else
        repaint();
    client_.treeChanged();
}

void marluneChild::unlink()
{
    linked_ = false;
    linkChanged(false);
    client_.treeChanged();
}

const CommandRow<marluneChild> marluneChild::Rows[] = {
    {Cmd::Link, [](const marluneChild& w) { return std::optional(CommandState{!w.linked_}); },
     [](marluneChild& w) { w.link(); }},
    {Cmd::Unlink, [](const marluneChild& w) { return std::optional(CommandState{w.linked_}); },
     [](marluneChild& w) { w.unlink(); }},
    {Cmd::Close, nullptr, [](marluneChild& w) { w.client_.closeWindow(&w); }},
};

const CommandTable<marluneChild> marluneChild::Table{"every window", Rows};

std::optional<CommandState> marluneChild::commandState(int id) const
{
    if (client_.kinds().createdBy(id, kind_))
        return CommandState{givesData()};
    return Table.state(*this, id);
}

bool marluneChild::command(int id)
{
    if (const WindowKind* entry = client_.kinds().createdBy(id, kind_)) {
        if (givesData())
            DerivedWindows::createByCommand(*this, *entry, id);
        return true;
    }
    return Table.run(*this, id);
}

void marluneChild::detachFromTree()
{
    for (marluneChild* parent : parents_)
        parent->removeChild(this);
    parents_.clear();
    for (marluneChild* child : children_)
        if (child)
            child->parentClosed(this);
    children_.clear();
}

void marluneChild::removeChild(marluneChild* child)
{
    std::replace(children_.begin(), children_.end(), child, static_cast<marluneChild*>(nullptr));
}

void marluneChild::parentClosed(marluneChild* parent)
{
    // Every child of a closed window becomes a root that keeps its last data. A window of several
    // parents also leaves the other parents' lists: it cannot be recomputed without all its inputs.
    for (marluneChild* other : parents_)
        if (other != parent)
            other->removeChild(this);
    parents_.clear();
}

void marluneChild::addParent(marluneChild& parent)
{
    parents_.push_back(&parent);
    parent.children_.push_back(this);
}

void marluneChild::dropParent(marluneChild& parent)
{
    std::erase(parents_, &parent);
    parent.removeChild(this);
}

void marluneChild::rotateParents()
{
    if (parents_.size() >= 2)
        std::rotate(parents_.begin(), parents_.begin() + 1, parents_.end());
}

const WindowKind* marluneChild::kindEntry() const
{
    return client_.kinds().find(kind_);
}

int32_t marluneChild::icon() const
{
    // A kind nobody registered shows the plain signal page.
    const WindowKind* entry = kindEntry();
    return entry ? entry->icon : 59;
}

std::vector<Marker> marluneChild::childMarkers() const
{
    std::vector<Marker> markers;
    for (const marluneChild* child : children_) {
        if (const auto* source = dynamic_cast<const MarkerSource*>(child))
            if (auto marker = source->marker())
                markers.push_back(std::move(*marker));
    }
    return markers;
}
