// SPDX-License-Identifier: MIT
// The page around the program. It builds the window from the program's tables
// (the controls, the menus, the secondary windows' buttons) and carries out the
// window logic's platform calls: ui/web/web_platform.cpp calls the methods of
// `page` below by name. What a key, a menu item or Enter does is the program's
// business; nothing here knows about tasks or answers. Nothing typed or saved
// leaves the browser: the page fetches its own files and nothing else.
"use strict";

const kSettingsKey = "molvane/mvn.cfg";
const kZoomKey = "molvane/zoom";
const kSettingsFile = "/settings/mvn.cfg";
const kSavedFolder = "/saved";
const kPickedFolder = "/picked";
const kZoomSteps = {smallest: 100, largest: 300, step: 25};
// The most recent tasks the drop-down list shows; the logic keeps them all.
const kListedTasks = 1000;
// The longest history, in characters, that a running file's turns draw.
const kLiveHistoryLength = 1000000;

const $ = (id) => document.getElementById(id);
const make = (tag, className, parent) => {
    const element = document.createElement(tag);
    if (className) element.className = className;
    if (parent) parent.appendChild(element);
    return element;
};

let program = null;  // the WebAssembly module
let live = null;     // the polite live region that says the answers
let composition = null;
let tables = null;   // the window's tables, from the program
let ids = null;      // the command ids the page needs by name
let browserKeys = null;  // the shortcuts that stay the browser's
const controls = new Map();  // command id -> element
let busy = false;    // a task file runs: the browser has its turns, the window none
let touched = false; // the last pointer was a finger: focusing the line would raise the keyboard

// ---------------------------------------------------------------- text helpers

// "&File" -> the text, its mnemonic letter and a label with the letter underlined.
function mnemonicOf(text) {
    const at = text.indexOf("&");
    const plain = text.replace("&", "");
    const label = document.createDocumentFragment();
    if (at < 0 || at + 1 >= text.length) {
        label.append(plain);
        return {plain, key: "", label};
    }
    label.append(plain.slice(0, at));
    make("u", "", label).textContent = plain[at];
    label.append(plain.slice(at + 1));
    return {plain, key: plain[at].toLowerCase(), label};
}

// A key as the accelerator table writes it: "Ctrl+A", "Shift+F1", "Return".
function keysOf(event) {
    let name = event.key;
    if (name === "Escape") name = "Esc";
    else if (name === "Enter") name = "Return";
    else if (name.length === 1) name = name.toUpperCase();
    const printable = event.key.length === 1;
    return (event.ctrlKey || event.metaKey ? "Ctrl+" : "") + (event.altKey ? "Alt+" : "") +
           (event.shiftKey && !printable ? "Shift+" : "") + name;
}

function bytesToText(bytes) {
    let text = "";
    for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    return text;
}

function textToBytes(text) {
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xFF;
    return bytes;
}

function download(name, bytes, type) {
    const url = URL.createObjectURL(new Blob([bytes], {type}));
    const link = make("a", "", document.body);
    link.href = url;
    link.download = name;
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
}

// ---------------------------------------------------------------- commands

// A command as a click or a key sends it. A task file gives the browser its
// turns while it runs; the page takes no other command until it has ended.
function dispatch(id, notification = 0) {
    if (busy) return;
    if (id === ids.fileOpen) return void pickTaskFile();
    if (id === ids.zoomIn || id === ids.zoomOut || id === ids.actualSize) return void zoomBy(id);
    const running = program.ccall("molvane_dispatch", null, ["number", "number"], [id, notification]);
    if (running instanceof Promise) {
        busy = true;
        running.finally(() => {
            busy = false;
            afterCommand();
        });
    } else {
        afterCommand();
    }
}

// What a command left behind: the history to show, a saved history to hand to
// the browser, and the settings file to keep.
let saving = "";  // the name under which the logic is saving a history

function afterCommand() {
    historyView.flush();
    if (saving) {
        const file = `${kSavedFolder}/${saving}`;
        if (program.FS.analyzePath(file).exists) {
            download(saving, program.FS.readFile(file), "text/plain;charset=utf-8");
            program.FS.unlink(file);
        }
        saving = "";
    }
    settings.keep();
}

// ---------------------------------------------------------------- settings

// The settings file's bytes, kept in the browser's storage as one character a
// byte, so that it comes back exactly as the program wrote it.
const settings = {
    stored: null,
    file: null,  // the file as last kept: each save makes a new one
    usable: true,
    noted: false,

    load() {
        try {
            localStorage.setItem("molvane/probe", "1");
            localStorage.removeItem("molvane/probe");
            this.stored = localStorage.getItem(kSettingsKey);
        } catch (error) {
            this.refused();
        }
        program.FS.mkdir("/settings");
        if (this.stored !== null) program.FS.writeFile(kSettingsFile, textToBytes(this.stored));
        this.file = this.node();
    },
    node() {
        const found = program.FS.analyzePath(kSettingsFile);
        return found.exists ? found.object : null;
    },
    current() {
        try {
            return bytesToText(program.FS.readFile(kSettingsFile));
        } catch (error) {
            return null;
        }
    },
    keep() {
        const file = this.node();
        if (file === this.file) return;
        this.file = file;
        const text = this.current();
        if (text === null || text === this.stored) return;
        this.stored = text;
        try {
            localStorage.setItem(kSettingsKey, text);
        } catch (error) {
            this.refused();
        }
        $("export-settings").setAttribute("aria-disabled", "false");
    },
    // Said once: the page works on, and Save Current Settings lasts until it closes.
    refused() {
        this.usable = false;
        if (this.noted) return;
        this.noted = true;
        const note = $("note");
        note.querySelector("span").textContent =
            "This browser does not let the page store anything: settings will not be kept when it closes.";
        note.hidden = false;
    },
    exportFile() {
        const text = this.current();
        if (text !== null) download("mvn.cfg", textToBytes(text), "application/octet-stream");
    },
    // An imported file is read as the program reads its settings: at start.
    async importFile(file) {
        const text = bytesToText(new Uint8Array(await file.arrayBuffer()));
        if (!confirm("Molvane starts again with the imported settings and an empty history.")) return;
        try {
            localStorage.setItem(kSettingsKey, text);
            location.reload();
        } catch (error) {
            this.refused();
        }
    },
};

// ---------------------------------------------------------------- the main window

let zoom = 100;

// The window's 96-dpi pixels grow to fill a narrow screen's width (and never
// beyond it), and a wide one's height up to twice the size; View > Zoom
// multiplies that.
function fitWindow() {
    const size = tables.size;
    const room = document.documentElement.clientWidth - 16;
    const menuHeight = $("menubar").offsetHeight;
    const byHeight = (window.innerHeight - menuHeight - 24) / size.height;
    const fitted = Math.min(room / size.width, Math.max(1, Math.min(2, byHeight)));
    document.documentElement.style.setProperty("--s", String(fitted * zoom / 100));
}

function zoomBy(id) {
    const step = id === ids.zoomIn ? kZoomSteps.step : id === ids.zoomOut ? -kZoomSteps.step : -1000;
    zoom = Math.min(kZoomSteps.largest, Math.max(kZoomSteps.smallest, zoom + step));
    try {
        localStorage.setItem(kZoomKey, String(zoom));
    } catch (error) { /* the zoom is the page's own and need not last */ }
    fitWindow();
}

const scaled = (pixels) => `calc(var(--s) * ${pixels}px)`;

function placeControl(element, control) {
    const [x, y, width, height] = control.place;
    Object.assign(element.style, {left: scaled(x), top: scaled(y), width: scaled(width), height: scaled(height)});
    element.style.fontSize = scaled(control.pixels || 12);
    if (control.face) element.style.fontFamily = `"${control.face}", sans-serif`;
    element.style.textAlign = control.alignment;
    if (element.classList.contains("label")) element.style.lineHeight = scaled(height);
    element.dataset.y = String(y);
}

// A label of the display acts on a click, and from the keyboard on Space, as
// the desktop's labels do.
function activatable(element, id) {
    element.tabIndex = 0;
    element.addEventListener("click", () => dispatch(id, ids.clicked));
    element.addEventListener("dblclick", () => dispatch(id, ids.doubleClicked));
    element.addEventListener("keydown", (event) => {
        if (event.key !== " " || event.ctrlKey || event.altKey || event.metaKey) return;
        event.preventDefault();
        dispatch(id, ids.clicked);
    });
}

function buildControl(client, control) {
    let element;
    switch (control.kind) {
        case "frame":
            element = make("div", "frame", client);
            element.setAttribute("role", "group");
            break;
        case "input":
            element = recent.build(client);
            break;
        case "key":
        case "enter":
            element = make("button", "key", client);
            element.type = "button";
            element.textContent = control.caption;
            element.addEventListener("click", () => dispatch(control.id));
            if (control.id === ids.inverse) element.setAttribute("aria-pressed", "false");
            break;
        default:
            element = make("div", `label ${control.kind}`, client);
            element.textContent = control.caption;
            // The lines' texts stay within reach as the values of read-only fields.
            element.setAttribute("role", control.kind === "indicator" ? "button" : "textbox");
            if (control.kind !== "indicator") element.setAttribute("aria-readonly", "true");
            activatable(element, control.id);
            break;
    }
    placeControl(element, control);
    (control.kind === "input" ? recent.input : element).setAttribute("aria-label", control.name);
    if (control.toolTip) element.title = control.toolTip;
    element.hidden = !control.shown;
    element.dataset.id = String(control.id);
    controls.set(control.id, element);
}

function buildMainWindow() {
    const client = $("client");
    for (const control of tables.controls) buildControl(client, control);
    // Tab goes from the input line through the keypad row by row, the "="
    // button, the indicators and the display lines, as on the desktop.
    client.prepend(controls.get(ids.recentTasks));
    // The display's group holds its labels for a screen reader; in the page's
    // order they stay where the table puts them, which is the order of Tab.
    const onDisplay = tables.controls.filter((control) => control.onDisplay && control.id >= 0);
    onDisplay.forEach((control) => (controls.get(control.id).id = `control-${control.id}`));
    client.querySelector(".frame").setAttribute("aria-owns", onDisplay.map((c) => `control-${c.id}`).join(" "));
    fitDisplayColours();
    matchMedia("(prefers-color-scheme: dark)").addEventListener("change", fitDisplayColours);
}

// The display's grey is fixed, the colour of its other texts is the page's: a
// dark scheme's light text would vanish on the grey, and a link's blue on a
// dark page. The program chooses what reads, by the desktop programs' rule.
function fitDisplayColours() {
    const rgb = (property) => getComputedStyle(document.body)[property].match(/\d+/g).slice(0, 3).map(Number);
    const chosen = program.readableColours(rgb("color"), rgb("backgroundColor"));
    const colours = {"--on-display": chosen.onDisplay, "--link": chosen.link, "--display": tables.colours.display,
                     "--task": tables.colours.task, "--active": tables.colours.active,
                     "--inactive": tables.colours.inactive};
    for (const [name, colour] of Object.entries(colours)) {
        document.documentElement.style.setProperty(name, `rgb(${colour})`);
    }
}

// ---------------------------------------------------------------- the input line and its recent tasks

const recent = {
    input: null,
    list: null,
    tasks: [],     // oldest first, as the logic adds them
    chosen: 0,     // the list's position of the task confirmed last, newest first
    active: -1,    // the highlighted position while the list is open
    undo: [],      // the line as it was before each change, for Undo

    build(client) {
        const box = make("div", "combo", client);
        const input = make("input", "", box);
        Object.assign(input, {type: "text", id: "task-input", autocomplete: "off", spellcheck: false});
        input.setAttribute("role", "combobox");
        input.setAttribute("aria-expanded", "false");
        input.setAttribute("aria-controls", "recent-tasks");
        input.setAttribute("aria-autocomplete", "none");
        const drop = make("button", "drop", box);
        Object.assign(drop, {type: "button", tabIndex: -1, textContent: "\u25BE"});
        drop.setAttribute("aria-hidden", "true");
        drop.addEventListener("click", () => (this.isOpen() ? this.close(ids.cancelled) : this.open()));
        const list = make("ul", "recent", box);
        list.id = "recent-tasks";
        list.setAttribute("role", "listbox");
        list.setAttribute("aria-label", "Recent tasks");
        list.hidden = true;
        list.addEventListener("mousedown", (event) => event.preventDefault());
        list.addEventListener("click", (event) => {
            const option = event.target.closest("li");
            if (option) this.confirm(Number(option.dataset.position));
        });
        input.addEventListener("keydown", (event) => this.key(event));
        input.addEventListener("beforeinput", () => this.remember());
        input.addEventListener("blur", () => this.isOpen() && this.close(ids.focusLost));
        this.input = input;
        this.list = list;
        return box;
    },
    remember() {
        const {value, selectionStart, selectionEnd} = this.input;
        this.undo.push({value, selectionStart, selectionEnd});
        if (this.undo.length > 100) this.undo.shift();
    },
    isOpen() {
        return !this.list.hidden;
    },
    task(position) {
        return this.tasks[this.tasks.length - 1 - position];
    },
    open() {
        this.list.replaceChildren();
        const shown = Math.min(this.tasks.length, kListedTasks);
        for (let position = 0; position < shown; ++position) {
            const option = make("li", "", this.list);
            option.id = `recent-${position}`;
            option.dataset.position = String(position);
            option.setAttribute("role", "option");
            option.textContent = this.task(position);
        }
        this.list.hidden = false;
        this.input.setAttribute("aria-expanded", "true");
        this.highlight(shown > 0 ? 0 : -1);
    },
    close(notification) {
        this.list.hidden = true;
        this.input.setAttribute("aria-expanded", "false");
        this.input.removeAttribute("aria-activedescendant");
        dispatch(ids.recentTasks, notification);
    },
    highlight(position) {
        const options = this.list.children;
        if (this.active >= 0 && options[this.active]) options[this.active].removeAttribute("aria-selected");
        this.active = position;
        if (position < 0) return;
        options[position].setAttribute("aria-selected", "true");
        options[position].scrollIntoView({block: "nearest"});
        this.input.setAttribute("aria-activedescendant", options[position].id);
    },
    confirm(position) {
        this.chosen = position;
        this.list.hidden = true;
        this.input.setAttribute("aria-expanded", "false");
        this.input.removeAttribute("aria-activedescendant");
        dispatch(ids.recentTasks, ids.confirmed);
    },
    // Up and Down recall tasks through the logic; Alt+Down and F4 open the list,
    // which then takes the arrows, Enter and Esc for itself.
    key(event) {
        const arrow = event.key === "ArrowUp" || event.key === "ArrowDown";
        if ((arrow && event.altKey) || event.key === "F4") {
            event.preventDefault();
            event.stopPropagation();
            this.isOpen() ? this.close(ids.cancelled) : this.open();
            return;
        }
        if (!this.isOpen()) {
            if (!arrow || event.ctrlKey || event.shiftKey || event.metaKey) return;
            event.preventDefault();
            dispatch(event.key === "ArrowUp" ? ids.recallOlder : ids.recallNewer);
            return;
        }
        const count = this.list.children.length;
        if (arrow && count > 0) {
            const step = event.key === "ArrowUp" ? -1 : 1;
            this.highlight(Math.min(count - 1, Math.max(0, this.active + step)));
        } else if (event.key === "Enter" && this.active >= 0) {
            this.confirm(this.active);
        } else if (event.key === "Escape") {
            this.close(ids.cancelled);
        } else {
            return;
        }
        event.preventDefault();
        event.stopPropagation();
    },
};

// ---------------------------------------------------------------- the secondary windows

function buttonRow(row, buttons) {
    for (const button of buttons) {
        const element = make("button", "", row);
        const {label, key} = mnemonicOf(button.caption);
        element.type = "button";
        element.append(label);
        element.dataset.key = key;
        element.setAttribute("aria-label", button.name);
        element.dataset.id = String(button.id);
        element.addEventListener("click", () => dispatch(button.command));
    }
    // Alt and the underlined letter press a button of its own window.
    row.parentElement.addEventListener("keydown", (event) => {
        if (!event.altKey || event.ctrlKey) return;
        const button = row.querySelector(`[data-key="${event.key.toLowerCase()}"]`);
        if (!button) return;
        event.preventDefault();
        event.stopPropagation();
        button.click();
    });
}

// The history's text as the logic wrote it, and as shown: new entries are
// gathered while a command runs and added as one piece once it has ended or
// gives the browser a turn, for a task file adds thousands. Drawing a history
// of megabytes takes the browser longer each time: past kLiveHistoryLength a
// running file's turns leave it for the run's end, so that the page still
// answers and Cancel still works.
const historyView = {
    text: "",
    pending: "",
    replace: false,
    flush() {
        if (!this.replace && this.pending === "") return;
        const shown = $("history-text");
        const piece = document.createTextNode(this.pending.replace(/\r/g, ""));
        this.replace ? shown.replaceChildren(piece) : shown.appendChild(piece);
        if (shown.childNodes.length > 64) shown.replaceChildren(this.text.replace(/\r/g, ""));
        this.pending = "";
        this.replace = false;
        if (!$("history").hidden) shown.scrollTop = shown.scrollHeight;
    },
    set(text) {
        this.text = this.pending = text;
        this.replace = true;
    },
    append(text) {
        this.text += text;
        this.pending += text;
    },
};

function buildSecondaryWindows() {
    const link = $("web-site");
    link.href = link.textContent = program.aboutTexts().webSite;
    buttonRow($("history-buttons"), tables.historyButtons);
    buttonRow($("composition-buttons"), tables.compositionButtons);
}

// ---------------------------------------------------------------- menus

const menus = {
    bar: null,
    open: null,      // the open popup's title, or null
    before: null,    // the element that had the focus before a menu opened
    position: new Map(),

    build() {
        this.bar = $("menubar");
        const stack = [];
        let title = null;
        for (const entry of tables.menus) {
            if (entry.kind === "begin") {
                const {label, key} = mnemonicOf(entry.text.split("\t")[0]);
                let opener;
                if (stack.length === 0) {
                    opener = make("button", "title", this.bar);
                    opener.type = "button";
                    opener.setAttribute("role", "menuitem");
                    opener.tabIndex = this.bar.children.length === 1 ? 0 : -1;
                    this.position.set(opener, this.position.size);
                    title = opener;
                } else {
                    opener = this.item(stack[stack.length - 1], entry, label, key);
                    opener.classList.add("submenu");
                }
                opener.setAttribute("aria-haspopup", "menu");
                opener.setAttribute("aria-expanded", "false");
                const {plain} = mnemonicOf(entry.text.split("\t")[0]);
                if (stack.length === 0) opener.append(label);
                opener.dataset.key = key;
                const popup = make("div", "popup", document.body);
                popup.setAttribute("role", "menu");
                popup.setAttribute("aria-label", plain);
                popup.hidden = true;
                opener.popup = popup;
                popup.opener = opener;
                popup.topTitle = title;
                stack.push(popup);
            } else if (entry.kind === "end") {
                stack.pop();
            } else if (entry.kind === "separator") {
                make("div", "separator", stack[stack.length - 1]).setAttribute("role", "separator");
            } else {
                const [text, column] = entry.text.split("\t");
                const {label, key} = mnemonicOf(text);
                const element = this.item(stack[stack.length - 1], entry, label, key, column);
                element.addEventListener("click", () => this.choose(element));
            }
        }
        this.addSettingsItems();
        this.bar.addEventListener("click", (event) => {
            const opener = event.target.closest(".title");
            if (opener) this.open === opener ? this.close() : this.show(opener, false);
        });
        this.bar.addEventListener("mouseover", (event) => {
            const opener = event.target.closest(".title");
            if (opener && this.open && this.open !== opener) this.show(opener, false);
        });
        this.bar.addEventListener("keydown", (event) => this.barKey(event));
        document.addEventListener("mousedown", (event) => {
            if (this.open && !event.target.closest(".popup, #menubar")) this.close();
        });
    },
    item(popup, entry, label, key, column) {
        const element = make("div", "item", popup);
        const accelerator = tables.accelerators.find((a) => a.id === entry.id && !browserKeys.has(a.keys));
        const browserKeeps = tables.accelerators.some((a) => a.id === entry.id && browserKeys.has(a.keys));
        element.setAttribute("role", entry.checkable ? "menuitemcheckbox" : "menuitem");
        if (entry.checkable) element.setAttribute("aria-checked", String(entry.checked));
        element.tabIndex = -1;
        element.dataset.id = String(entry.id);
        element.dataset.key = key;
        make("span", "check", element).setAttribute("aria-hidden", "true");
        make("span", "text", element).append(label);
        const shortcut = make("span", "shortcut", element);
        if (column && !browserKeeps) shortcut.textContent = column;
        if (accelerator) element.setAttribute("aria-keyshortcuts", accelerator.keys.replace("Ctrl", "Control"));
        element.addEventListener("mouseenter", () => element.focus());
        element.addEventListener("keydown", (event) => this.itemKey(event, element));
        return element;
    },
    // Export and import of the settings file: the page's own, under File.
    addSettingsItems() {
        const file = this.bar.querySelector(".title").popup;
        const exit = file.querySelector(`[data-id="${tables.ids.exit}"]`);
        const entries = [["export-settings", "&Export Settings (mvn.cfg)"], ["import-settings", "&Import Settings..."]];
        for (const [id, text] of entries) {
            const {label, key} = mnemonicOf(text);
            const element = this.item(file, {id: 0, checkable: false}, label, key);
            element.id = id;
            file.insertBefore(element, exit);
            element.addEventListener("click", () => this.choose(element));
        }
        const separator = make("div", "separator");
        separator.setAttribute("role", "separator");
        file.insertBefore(separator, exit);
        $("export-settings").setAttribute("aria-disabled", String(settings.current() === null));
    },
    items(popup) {
        return [...popup.children].filter((child) => child.classList.contains("item"));
    },
    // Opening a popup brings its check marks and enabled items up to date.
    show(opener, focusFirst) {
        if (this.open && this.open !== opener) this.close(false);
        if (!this.open) this.before = document.activeElement;
        this.open = opener;
        const popup = opener.popup;
        const box = opener.getBoundingClientRect();
        popup.style.left = `${Math.max(0, Math.min(box.left, document.documentElement.clientWidth - 260))}px`;
        popup.style.top = `${box.bottom + window.scrollY}px`;
        this.refresh(opener, true);
        popup.hidden = false;
        opener.setAttribute("aria-expanded", "true");
        opener.tabIndex = 0;
        if (focusFirst) this.items(popup)[0].focus();
        else opener.focus();
    },
    refresh(opener, opening) {
        for (const state of program.menuItemStates(this.position.get(opener), opening)) {
            const element = opener.popup.querySelector(`[data-id="${state.id}"]`);
            if (!element) continue;
            element.setAttribute("aria-disabled", String(!state.enabled));
            if (element.hasAttribute("aria-checked")) element.setAttribute("aria-checked", String(state.checked));
        }
    },
    close(giveBack = true) {
        if (!this.open) return;
        const opener = this.open;
        for (const popup of document.querySelectorAll(".popup")) popup.hidden = true;
        for (const sub of document.querySelectorAll("[aria-haspopup]")) sub.setAttribute("aria-expanded", "false");
        this.refresh(opener, false);
        this.open = null;
        if (giveBack && this.before && document.contains(this.before)) this.before.focus();
    },
    showSubmenu(opener) {
        const popup = opener.popup;
        const box = opener.getBoundingClientRect();
        const room = document.documentElement.clientWidth;
        popup.style.left = `${box.right + 240 > room ? Math.max(0, room - 250) : box.right}px`;
        popup.style.top = `${box.top + window.scrollY}px`;
        popup.hidden = false;
        opener.setAttribute("aria-expanded", "true");
        this.items(popup)[0].focus();
    },
    choose(element) {
        if (element.getAttribute("aria-disabled") === "true") return;
        if (element.popup) return this.showSubmenu(element);
        this.close();
        if (element.id === "export-settings") return settings.exportFile();
        if (element.id === "import-settings") return $("settings-picker").click();
        const id = Number(element.dataset.id);
        if (id === ids.paste) return pasteFromMenu();
        dispatch(id);
    },
    barKey(event) {
        const titles = [...this.bar.children];
        const at = titles.indexOf(document.activeElement);
        if (at < 0) return;
        const move = {ArrowLeft: -1, ArrowRight: 1}[event.key];
        if (move) {
            const next = titles[(at + move + titles.length) % titles.length];
            titles.forEach((title) => (title.tabIndex = -1));
            next.tabIndex = 0;
            this.open ? this.show(next, true) : next.focus();
        } else if (event.key === "ArrowDown" || event.key === "Enter" || event.key === " ") {
            this.show(titles[at], true);
        } else if (event.key === "Escape" && this.open) {
            this.close();
        } else {
            return;
        }
        event.preventDefault();
        event.stopPropagation();
    },
    itemKey(event, element) {
        const popup = element.parentElement;
        const items = this.items(popup);
        const at = items.indexOf(element);
        let handled = true;
        if (event.key === "ArrowDown" || event.key === "ArrowUp") {
            const step = event.key === "ArrowDown" ? 1 : -1;
            items[(at + step + items.length) % items.length].focus();
        } else if (event.key === "Home" || event.key === "End") {
            items[event.key === "Home" ? 0 : items.length - 1].focus();
        } else if (event.key === "Enter" || event.key === " " || (event.key === "ArrowRight" && element.popup)) {
            this.choose(element);
        } else if (event.key === "Escape" || event.key === "ArrowLeft" || event.key === "ArrowRight") {
            const sub = popup.opener && !popup.opener.classList.contains("title");
            if (sub && event.key !== "ArrowRight") {
                popup.hidden = true;
                popup.opener.setAttribute("aria-expanded", "false");
                popup.opener.focus();
            } else if (event.key === "Escape") {
                const title = popup.topTitle;
                this.close(false);
                title.focus();
            } else {
                const titles = [...this.bar.children];
                const next = titles.indexOf(popup.topTitle) + (event.key === "ArrowRight" ? 1 : -1);
                this.show(titles[(next + titles.length) % titles.length], true);
            }
        } else if (event.key === "Tab") {
            this.close();
        } else if (event.key.length === 1 && !event.ctrlKey && !event.altKey) {
            const match = items.find((item) => item.dataset.key === event.key.toLowerCase());
            if (match) this.choose(match);
        } else {
            handled = false;
        }
        if (!handled) return;
        event.preventDefault();
        event.stopPropagation();
    },
    // Alt and a title's underlined letter open its popup.
    mnemonic(event) {
        if (!event.altKey || event.ctrlKey || event.metaKey || event.key.length !== 1) return false;
        const title = [...this.bar.children].find((t) => t.dataset.key === event.key.toLowerCase());
        if (!title) return false;
        this.show(title, true);
        return true;
    },
};

// ---------------------------------------------------------------- keys anywhere in the window

// The accelerators act wherever the focus is in the main window, before the
// focused control sees the key, as the desktop's do; in a dialog, the history or
// an open menu the key is theirs. Ctrl+V comes as the browser's paste event.
function onKeyDown(event) {
    if (busy || document.querySelector("dialog[open]")) return;
    if (menus.mnemonic(event)) return event.preventDefault();
    if (menus.open || recent.isOpen() || event.target.closest("#history, #composition, #menubar, #note")) return;
    const keys = keysOf(event);
    if (browserKeys.has(keys)) return;
    const accelerator = tables.accelerators.find((a) => a.keys === keys);
    if (!accelerator || accelerator.id === ids.paste) return;
    event.preventDefault();
    event.stopPropagation();
    dispatch(accelerator.id, ids.accelerator);
}

// The clipboard: a paste brings its text with it; copies go to the system's
// clipboard and are remembered, for a menu's Paste that may not read it.
const clipboard = {
    copied: "",
    pasted: null,
};

function onPaste(event) {
    if (busy || document.querySelector("dialog[open]") || event.target.closest("#history, #composition")) return;
    event.preventDefault();
    clipboard.pasted = event.clipboardData ? event.clipboardData.getData("text/plain") : "";
    dispatch(ids.paste, ids.accelerator);
    clipboard.pasted = null;
}

async function pasteFromMenu() {
    try {
        clipboard.pasted = await navigator.clipboard.readText();
    } catch (error) {
        clipboard.pasted = clipboard.copied;
    }
    dispatch(ids.paste);
    clipboard.pasted = null;
}

function copyText(text) {
    clipboard.copied = text;
    if (navigator.clipboard && navigator.clipboard.writeText) {
        navigator.clipboard.writeText(text).catch(() => copyByCommand(text));
    } else {
        copyByCommand(text);
    }
}

function copyByCommand(text) {
    const active = document.activeElement;
    const area = make("textarea", "offscreen", document.body);
    area.value = text;
    area.select();
    document.execCommand("copy");
    area.remove();
    if (active) active.focus();
}

// ---------------------------------------------------------------- task files

let picked = "";

function pickTaskFile() {
    const picker = $("task-picker");
    picker.value = "";
    picker.click();
}

// The file is copied into the page's memory under its own name, and File >
// Open runs on it: the logic reads it there as the desktop programs read a
// file, refusing what is not text. A cancelled pick runs nothing.
async function onTaskFilePicked(event) {
    const file = event.target.files[0];
    if (!file) return;
    if (file.size > tables.largestTaskFile) return void program.refuseLargeTaskFile(file.name);
    const name = file.name.replace(/[/\\]/g, "_") || "tasks.txt";
    const bytes = new Uint8Array(await file.arrayBuffer());
    for (const old of program.FS.readdir(kPickedFolder)) {
        if (old !== "." && old !== "..") program.FS.unlink(`${kPickedFolder}/${old}`);
    }
    program.FS.writeFile(`${kPickedFolder}/${name}`, bytes);
    picked = name;
    const open = program.ccall("molvane_dispatch", null, ["number", "number"], [ids.fileOpen, 0]);
    if (open instanceof Promise) {
        busy = true;
        await open.finally(() => (busy = false));
    }
    program.FS.unlink(`${kPickedFolder}/${name}`);
    afterCommand();
}

// ---------------------------------------------------------------- dialogs

const messages = [];

function showNextMessage() {
    const dialog = $("message");
    if (dialog.open || messages.length === 0) return;
    const [caption, text] = messages.shift();
    dialog.querySelector("h2").textContent = caption;
    dialog.querySelector("p").textContent = text;
    dialog.showModal();
}

function buildDialogs() {
    for (const dialog of document.querySelectorAll("dialog")) {
        // The focus that a closed dialog gives back does not always take the
        // keys again: the input line is left and entered anew.
        dialog.addEventListener("close", () => {
            if (dialog.id === "message") showNextMessage();
            if (document.querySelector("dialog[open]")) return;
            recent.input.blur();
            page.focusInputLine();
        });
    }
    $("message").querySelector("button").addEventListener("click", () => $("message").close());
    buildAbout();
    buildNumberFormat();
    $("progress-cancel").addEventListener("click", () => (progress.cancelled = true));
    $("progress").addEventListener("cancel", (event) => {
        event.preventDefault();
        progress.cancelled = true;
    });
    $("preview-print").addEventListener("click", () => {
        $("preview").close();
        window.print();
    });
    $("preview-close").addEventListener("click", () => $("preview").close());
}

function buildAbout() {
    const texts = program.aboutTexts();
    const dialog = $("about");
    const lines = dialog.querySelector(".lines");
    for (const line of [texts.product, texts.edition, texts.released]) make("p", "", lines).textContent = line;
    const link = make("a", "", make("p", "", lines));
    link.href = link.textContent = texts.webSite;
    link.target = "_blank";
    link.rel = "noopener";
    link.setAttribute("aria-label", "Molvane web site");
    const frame = dialog.querySelector(".description");
    for (const line of texts.description) make("p", "", frame).textContent = line;
    make("p", "notice", frame).textContent = texts.notice;
    dialog.querySelector(".rights").textContent = texts.rights;
    for (const button of dialog.querySelectorAll("button")) button.addEventListener("click", () => dialog.close());
}

// The Number Format dialog: every change goes at once to the program, which
// shows it on the display; Cancel asks it to put the opening values back.
let choices = null;

function buildNumberFormat() {
    const texts = program.aboutTexts();
    const dialog = $("number-format");
    const heading = dialog.querySelector(".lines");
    for (const line of texts.numberFormatHeading) make("p", "", heading).textContent = line;
    make("p", "notice", heading).textContent = texts.notice;
    const places = $("places");
    const show = () => {
        dialog.querySelectorAll("[name=mode]").forEach((radio) => (radio.checked = Number(radio.value) === choices.numberMode()));
        dialog.querySelectorAll("[name=unit]").forEach((radio) => (radio.checked = Number(radio.value) === choices.angleUnit()));
        const enabled = choices.placesEnabled();
        for (const control of dialog.querySelectorAll(".places input, .places button")) control.disabled = !enabled;
        dialog.querySelector(".places").classList.toggle("disabled", !enabled);
    };
    dialog.refreshChoices = show;
    dialog.querySelectorAll("[name=mode]").forEach((radio) =>
        radio.addEventListener("change", () => {
            choices.chooseNumberMode(Number(radio.value));
            show();
        }));
    dialog.querySelectorAll("[name=unit]").forEach((radio) =>
        radio.addEventListener("change", () => {
            choices.chooseAngleUnit(Number(radio.value));
            show();
        }));
    places.addEventListener("input", () => choices.typeDecimals(places.value));
    for (const [id, step] of [["places-up", 1], ["places-down", -1]]) {
        $(id).addEventListener("click", () => {
            places.value = String(program.steppedDecimals(places.value, step));
            choices.typeDecimals(places.value);
        });
    }
    $("grouping").addEventListener("change", (event) => choices.setDigitGrouping(event.target.checked));
    $("format-ok").addEventListener("click", () => dialog.close("ok"));
    $("format-cancel").addEventListener("click", () => dialog.close("cancel"));
    dialog.addEventListener("cancel", () => (dialog.returnValue = "cancel"));
    dialog.addEventListener("close", () => {
        if (!choices) return;
        if (dialog.returnValue !== "ok") choices.cancel();
        choices.delete();
        choices = null;
        historyView.flush();
    });
}

// ---------------------------------------------------------------- the long operation

const progress = {cancelled: false};

// ---------------------------------------------------------------- the platform calls

const page = {
    setControlText(id, text) {
        const element = controls.get(id);
        if (element && element.textContent !== text) element.textContent = text;
    },
    controlText(id) {
        const element = controls.get(id);
        return element ? element.textContent : "";
    },
    setToolTip(id, text) {
        const element = controls.get(id);
        const tip = text.trim() ? text : "";
        if (element && element.title !== tip) element.title = tip;
    },
    setControlVisible(id, visible) {
        const element = controls.get(id);
        if (element && element.hidden === visible) element.hidden = !visible;
    },
    setKeyChecked(id, checked) {
        const element = controls.get(id);
        if (element) element.setAttribute("aria-pressed", String(checked));
    },
    setIndicatorActive(id, active) {
        const element = controls.get(id);
        if (element) element.classList.toggle("active", active);
    },
    setControlName(id, name) {
        const element = id === ids.recentTasks ? recent.input : controls.get(id);
        if (element) element.setAttribute("aria-label", name);
    },
    // The live region is polite: it speaks when the reader has finished, and
    // the focus stays in the input line.
    announce(text) {
        live.textContent = text;
    },

    inputText() {
        return recent.input.value;
    },
    setInputText(text) {
        // A new value puts the caret at its end.
        recent.input.value = text;
        recent.undo = [];
    },
    inputSelection() {
        return [recent.input.selectionStart, recent.input.selectionEnd];
    },
    setInputSelection(start, end) {
        recent.input.setSelectionRange(start, end);
    },
    replaceInputSelection(text) {
        const input = recent.input;
        if (text === "" && input.selectionStart === input.selectionEnd) return;
        recent.remember();
        input.setRangeText(text, input.selectionStart, input.selectionEnd, "end");
    },
    undoInput() {
        const last = recent.undo.pop();
        if (!last) return;
        recent.input.value = last.value;
        recent.input.setSelectionRange(last.selectionStart, last.selectionEnd);
    },
    inputCanUndo() {
        return recent.undo.length > 0;
    },
    // A finger's tap would raise the screen keyboard over the keypad: the line
    // keeps its caret for the keys without the focus.
    focusInputLine() {
        if (document.activeElement === recent.input) return;
        if (document.querySelector("dialog[open]") || menus.open) return;
        if (touched && document.activeElement !== recent.input) return;
        recent.input.focus({preventScroll: true});
    },

    insertRecentTask(task) {
        recent.tasks.push(task);
    },
    clearRecentTasks() {
        recent.tasks = [];
    },
    selectedRecentTask() {
        return recent.task(recent.chosen) || "";
    },

    setDisplayOnly(displayOnly) {
        const size = tables.size;
        $("client").style.height = scaled(displayOnly ? size.displayOnlyHeight : size.height);
        for (const element of controls.values()) {
            if (Number(element.dataset.y) >= size.displayOnlyHeight) element.classList.toggle("cut", displayOnly);
        }
    },
    mainWindowFrame() {
        const box = $("main-window").getBoundingClientRect();
        return {left: Math.round(box.left), top: Math.round(box.top), width: Math.round(box.width),
                height: Math.round(box.height)};
    },
    screenRight() {
        return document.documentElement.clientWidth;
    },
    // A page can close only a window that a script opened, such as an installed app's.
    closeMainWindow() {
        window.close();
    },

    historyWindowVisible() {
        return !$("history").hidden;
    },
    showHistoryWindow() {
        $("history").hidden = false;
        historyView.flush();
        $("history-text").scrollTop = $("history-text").scrollHeight;
    },
    hideHistoryWindow() {
        $("history").hidden = true;
    },
    setHistoryText(text) {
        historyView.set(text);
    },
    appendHistoryText(text) {
        historyView.append(text);
    },

    compositionWindowVisible() {
        return !composition.hidden;
    },
    showCompositionWindow() {
        $("composition").hidden = false;
    },
    hideCompositionWindow() {
        $("composition").hidden = true;
    },
    setCompositionText(text) {
        $("composition-text").value = text.replace(/\r/g, "");
    },

    clipboardText() {
        return clipboard.pasted !== null ? clipboard.pasted : clipboard.copied;
    },
    // Without the user's leave a page cannot look at the clipboard: Paste stays
    // enabled, and a paste that brings no text inserts nothing.
    clipboardHasText() {
        return clipboard.pasted === null || clipboard.pasted !== "";
    },
    setClipboardText(text) {
        copyText(text);
    },

    showErrorMessage(caption, text) {
        messages.push([caption, text]);
        showNextMessage();
    },

    expectSaved(name) {
        saving = name;
    },
    takePickedFile() {
        const name = picked;
        picked = "";
        return name;
    },
    printPages(documentName, pages, preview) {
        const printout = $("printout");
        printout.replaceChildren();
        for (const lines of pages) make("pre", "printed-page", printout).textContent = lines.join("\n");
        document.title = documentName;
        if (preview) {
            const shown = $("preview-pages");
            shown.replaceChildren(...[...printout.children].map((sheet) => sheet.cloneNode(true)));
            $("preview").showModal();
        } else {
            window.print();
        }
    },
    showNumberFormat() {
        const dialog = $("number-format");
        choices = program.openNumberFormat();
        $("places").value = String(choices.decimals());
        $("grouping").checked = choices.digitGrouping();
        dialog.returnValue = "";
        dialog.refreshChoices();
        historyView.flush();
        dialog.showModal();
        $("format-ok").focus();
    },
    showAbout() {
        $("about").showModal();
    },
    showHelp() {
        const shown = window.open("molvane-help.html", "molvane-help");
        return shown !== null;
    },

    showProgress(label, total) {
        progress.cancelled = false;
        $("progress-label").textContent = label;
        $("progress-bar").max = Math.max(1, total);
        $("progress-bar").value = 0;
        $("progress").showModal();
        $("progress-cancel").focus();
    },
    setProgress(done) {
        $("progress-bar").value = Math.max(1, done);
        if (historyView.text.length < kLiveHistoryLength) historyView.flush();
    },
    progressCancelled() {
        return progress.cancelled;
    },
    endProgress() {
        $("progress").close();
    },
};

// ---------------------------------------------------------------- start

async function start() {
    program = await createMolvane();
    live = $("live");
    composition = $("composition");
    tables = program.windowTables();
    ids = tables.ids;
    browserKeys = new Set(tables.browserKeys);
    try {
        zoom = Number(localStorage.getItem(kZoomKey)) || 100;
    } catch (error) { /* settings.load says it once */ }
    settings.load();
    buildMainWindow();
    buildSecondaryWindows();
    buildDialogs();
    menus.build();
    fitWindow();
    window.addEventListener("resize", fitWindow);
    document.addEventListener("keydown", onKeyDown, true);
    document.addEventListener("paste", onPaste);
    document.addEventListener("pointerdown", (event) => (touched = event.pointerType === "touch"), true);
    $("task-picker").addEventListener("change", onTaskFilePicked);
    $("settings-picker").addEventListener("change", (event) => {
        if (event.target.files[0]) settings.importFile(event.target.files[0]);
        event.target.value = "";
    });
    $("note").querySelector("button").addEventListener("click", () => ($("note").hidden = true));
    window.addEventListener("afterprint", () => (document.title = "Molvane"));
    program.start(page);
    afterCommand();
    document.body.classList.add("ready");
    page.focusInputLine();
    performance.mark("molvane-usable");
    if ("serviceWorker" in navigator && location.protocol !== "file:") {
        navigator.serviceWorker.register("service-worker.js").catch(() => {});
    }
}

start().catch((error) => {
    $("failed").hidden = false;
    console.error(error);
});
