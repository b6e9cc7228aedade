($SETLANGUAGE$)
// Texts of the help viewer in its eleven languages, and the few helpers every
// page of the viewer shares. Without a fixed language the browser's decides.

var QX_TEXTS = {
  en: { contents: "Contents", index: "Index", search: "Search", favorites: "Favorites",
        showAll: "Expand all", hideAll: "Collapse all", previous: "Previous topic", next: "Next topic",
        print: "Print topic", filter: "Type a keyword", searchFor: "Search for words",
        searchButton: "Search", noKeywords: "This help has no index keywords.",
        noMatch: "No keyword matches.", chooseTopic: "Topics for this keyword:",
        results: "%n topics found", oneResult: "1 topic found", noResults: "No topics found.",
        searchHint: "Enter one or more words; topics containing all of them are listed first.",
        addFavorite: "Add current topic", remove: "Remove", noFavorites: "No favorite topics yet.",
        noStorage: "This browser does not keep favorites for pages opened from disk.",
        resize: "Drag to resize the navigation pane", skip: "Skip to topic" },
  nl: { contents: "Inhoud", index: "Index", search: "Zoeken", favorites: "Favorieten",
        showAll: "Alles uitvouwen", hideAll: "Alles samenvouwen", previous: "Vorig onderwerp", next: "Volgend onderwerp",
        print: "Onderwerp afdrukken", filter: "Typ een trefwoord", searchFor: "Zoeken naar woorden",
        searchButton: "Zoeken", noKeywords: "Deze help heeft geen trefwoorden.",
        noMatch: "Geen trefwoord gevonden.", chooseTopic: "Onderwerpen bij dit trefwoord:",
        results: "%n onderwerpen gevonden", oneResult: "1 onderwerp gevonden", noResults: "Geen onderwerpen gevonden.",
        searchHint: "Typ een of meer woorden; onderwerpen met alle woorden staan bovenaan.",
        addFavorite: "Huidig onderwerp toevoegen", remove: "Verwijderen", noFavorites: "Nog geen favoriete onderwerpen.",
        noStorage: "Deze browser bewaart geen favorieten voor pagina's van schijf.",
        resize: "Sleep om het navigatievenster te vergroten of te verkleinen", skip: "Naar onderwerp" },
  fr: { contents: "Sommaire", index: "Index", search: "Rechercher", favorites: "Favoris",
        showAll: "Tout d\u00e9velopper", hideAll: "Tout r\u00e9duire", previous: "Rubrique pr\u00e9c\u00e9dente", next: "Rubrique suivante",
        print: "Imprimer la rubrique", filter: "Tapez un mot-cl\u00e9", searchFor: "Rechercher des mots",
        searchButton: "Rechercher", noKeywords: "Cette aide n'a pas de mots-cl\u00e9s.",
        noMatch: "Aucun mot-cl\u00e9 ne correspond.", chooseTopic: "Rubriques de ce mot-cl\u00e9 :",
        results: "%n rubriques trouv\u00e9es", oneResult: "1 rubrique trouv\u00e9e", noResults: "Aucune rubrique trouv\u00e9e.",
        searchHint: "Tapez un ou plusieurs mots ; les rubriques qui les contiennent tous viennent en premier.",
        addFavorite: "Ajouter la rubrique", remove: "Supprimer", noFavorites: "Aucune rubrique favorite.",
        noStorage: "Ce navigateur ne garde pas de favoris pour les pages ouvertes depuis le disque.",
        resize: "Faites glisser pour redimensionner le volet", skip: "Aller \u00e0 la rubrique" },
  de: { contents: "Inhalt", index: "Index", search: "Suchen", favorites: "Favoriten",
        showAll: "Alle erweitern", hideAll: "Alle reduzieren", previous: "Vorheriges Thema", next: "N\u00e4chstes Thema",
        print: "Thema drucken", filter: "Stichwort eingeben", searchFor: "Nach W\u00f6rtern suchen",
        searchButton: "Suchen", noKeywords: "Diese Hilfe hat keine Stichw\u00f6rter.",
        noMatch: "Kein passendes Stichwort.", chooseTopic: "Themen zu diesem Stichwort:",
        results: "%n Themen gefunden", oneResult: "1 Thema gefunden", noResults: "Keine Themen gefunden.",
        searchHint: "Ein oder mehrere W\u00f6rter eingeben; Themen mit allen W\u00f6rtern stehen oben.",
        addFavorite: "Aktuelles Thema hinzuf\u00fcgen", remove: "Entfernen", noFavorites: "Noch keine Favoriten.",
        noStorage: "Dieser Browser speichert keine Favoriten f\u00fcr Seiten vom Datentr\u00e4ger.",
        resize: "Ziehen, um die Navigationsleiste anzupassen", skip: "Zum Thema" },
  it: { contents: "Sommario", index: "Indice", search: "Cerca", favorites: "Preferiti",
        showAll: "Espandi tutto", hideAll: "Comprimi tutto", previous: "Argomento precedente", next: "Argomento successivo",
        print: "Stampa argomento", filter: "Digitare una parola chiave", searchFor: "Cerca parole",
        searchButton: "Cerca", noKeywords: "Questa guida non ha parole chiave.",
        noMatch: "Nessuna parola chiave corrisponde.", chooseTopic: "Argomenti per questa parola chiave:",
        results: "%n argomenti trovati", oneResult: "1 argomento trovato", noResults: "Nessun argomento trovato.",
        searchHint: "Digitare una o pi\u00f9 parole; gli argomenti che le contengono tutte sono in cima.",
        addFavorite: "Aggiungi argomento corrente", remove: "Rimuovi", noFavorites: "Nessun argomento preferito.",
        noStorage: "Questo browser non conserva i preferiti per le pagine aperte dal disco.",
        resize: "Trascinare per ridimensionare il riquadro", skip: "Vai all'argomento" },
  se: { contents: "Contenido", index: "\u00cdndice", search: "Buscar", favorites: "Favoritos",
        showAll: "Expandir todo", hideAll: "Contraer todo", previous: "Tema anterior", next: "Tema siguiente",
        print: "Imprimir tema", filter: "Escriba una palabra clave", searchFor: "Buscar palabras",
        searchButton: "Buscar", noKeywords: "Esta ayuda no tiene palabras clave.",
        noMatch: "Ninguna palabra clave coincide.", chooseTopic: "Temas de esta palabra clave:",
        results: "%n temas encontrados", oneResult: "1 tema encontrado", noResults: "No se encontraron temas.",
        searchHint: "Escriba una o m\u00e1s palabras; los temas que las contienen todas aparecen primero.",
        addFavorite: "Agregar tema actual", remove: "Quitar", noFavorites: "A\u00fan no hay temas favoritos.",
        noStorage: "Este navegador no guarda favoritos para p\u00e1ginas abiertas desde el disco.",
        resize: "Arrastre para cambiar el tama\u00f1o del panel", skip: "Ir al tema" },
  pt: { contents: "Conte\u00fado", index: "\u00cdndice", search: "Pesquisar", favorites: "Favoritos",
        showAll: "Expandir tudo", hideAll: "Recolher tudo", previous: "T\u00f3pico anterior", next: "Pr\u00f3ximo t\u00f3pico",
        print: "Imprimir t\u00f3pico", filter: "Digite uma palavra-chave", searchFor: "Pesquisar palavras",
        searchButton: "Pesquisar", noKeywords: "Esta ajuda n\u00e3o tem palavras-chave.",
        noMatch: "Nenhuma palavra-chave corresponde.", chooseTopic: "T\u00f3picos desta palavra-chave:",
        results: "%n t\u00f3picos encontrados", oneResult: "1 t\u00f3pico encontrado", noResults: "Nenhum t\u00f3pico encontrado.",
        searchHint: "Digite uma ou mais palavras; os t\u00f3picos com todas elas aparecem primeiro.",
        addFavorite: "Adicionar t\u00f3pico atual", remove: "Remover", noFavorites: "Ainda n\u00e3o h\u00e1 t\u00f3picos favoritos.",
        noStorage: "Este navegador n\u00e3o guarda favoritos para p\u00e1ginas abertas do disco.",
        resize: "Arraste para redimensionar o painel", skip: "Ir para o t\u00f3pico" },
  ja: { contents: "\u76ee\u6b21", index: "\u7d22\u5f15", search: "\u691c\u7d22", favorites: "\u304a\u6c17\u306b\u5165\u308a",
        showAll: "\u3059\u3079\u3066\u5c55\u958b", hideAll: "\u3059\u3079\u3066\u6298\u308a\u305f\u305f\u3080", previous: "\u524d\u306e\u30c8\u30d4\u30c3\u30af", next: "\u6b21\u306e\u30c8\u30d4\u30c3\u30af",
        print: "\u30c8\u30d4\u30c3\u30af\u3092\u5370\u5237", filter: "\u30ad\u30fc\u30ef\u30fc\u30c9\u3092\u5165\u529b", searchFor: "\u691c\u7d22\u3059\u308b\u8a9e",
        searchButton: "\u691c\u7d22", noKeywords: "\u3053\u306e\u30d8\u30eb\u30d7\u306b\u306f\u7d22\u5f15\u304c\u3042\u308a\u307e\u305b\u3093\u3002",
        noMatch: "\u4e00\u81f4\u3059\u308b\u30ad\u30fc\u30ef\u30fc\u30c9\u306f\u3042\u308a\u307e\u305b\u3093\u3002", chooseTopic: "\u3053\u306e\u30ad\u30fc\u30ef\u30fc\u30c9\u306e\u30c8\u30d4\u30c3\u30af:",
        results: "%n \u4ef6\u306e\u30c8\u30d4\u30c3\u30af", oneResult: "1 \u4ef6\u306e\u30c8\u30d4\u30c3\u30af", noResults: "\u30c8\u30d4\u30c3\u30af\u304c\u898b\u3064\u304b\u308a\u307e\u305b\u3093\u3002",
        searchHint: "\u8a9e\u3092\u5165\u529b\u3057\u3066\u304f\u3060\u3055\u3044\u3002\u3059\u3079\u3066\u306e\u8a9e\u3092\u542b\u3080\u30c8\u30d4\u30c3\u30af\u304c\u5148\u306b\u8868\u793a\u3055\u308c\u307e\u3059\u3002",
        addFavorite: "\u73fe\u5728\u306e\u30c8\u30d4\u30c3\u30af\u3092\u8ffd\u52a0", remove: "\u524a\u9664", noFavorites: "\u304a\u6c17\u306b\u5165\u308a\u306f\u307e\u3060\u3042\u308a\u307e\u305b\u3093\u3002",
        noStorage: "\u3053\u306e\u30d6\u30e9\u30a6\u30b6\u30fc\u306f\u30c7\u30a3\u30b9\u30af\u304b\u3089\u958b\u3044\u305f\u30da\u30fc\u30b8\u306e\u304a\u6c17\u306b\u5165\u308a\u3092\u4fdd\u5b58\u3057\u307e\u305b\u3093\u3002",
        resize: "\u30c9\u30e9\u30c3\u30b0\u3057\u3066\u30ca\u30d3\u30b2\u30fc\u30b7\u30e7\u30f3\u306e\u5e45\u3092\u5909\u66f4", skip: "\u30c8\u30d4\u30c3\u30af\u3078" },
  ko: { contents: "\ubaa9\ucc28", index: "\uc0c9\uc778", search: "\uac80\uc0c9", favorites: "\uc990\uaca8\ucc3e\uae30",
        showAll: "\ubaa8\ub450 \ud3bc\uce58\uae30", hideAll: "\ubaa8\ub450 \uc811\uae30", previous: "\uc774\uc804 \ud56d\ubaa9", next: "\ub2e4\uc74c \ud56d\ubaa9",
        print: "\ud56d\ubaa9 \uc778\uc1c4", filter: "\ud0a4\uc6cc\ub4dc \uc785\ub825", searchFor: "\uac80\uc0c9\ud560 \ub2e8\uc5b4",
        searchButton: "\uac80\uc0c9", noKeywords: "\uc774 \ub3c4\uc6c0\ub9d0\uc5d0\ub294 \uc0c9\uc778\uc774 \uc5c6\uc2b5\ub2c8\ub2e4.",
        noMatch: "\uc77c\uce58\ud558\ub294 \ud0a4\uc6cc\ub4dc\uac00 \uc5c6\uc2b5\ub2c8\ub2e4.", chooseTopic: "\uc774 \ud0a4\uc6cc\ub4dc\uc758 \ud56d\ubaa9:",
        results: "\ud56d\ubaa9 %n\uac1c \ucc3e\uc74c", oneResult: "\ud56d\ubaa9 1\uac1c \ucc3e\uc74c", noResults: "\ucc3e\uc740 \ud56d\ubaa9\uc774 \uc5c6\uc2b5\ub2c8\ub2e4.",
        searchHint: "\ub2e8\uc5b4\ub97c \uc785\ub825\ud558\uc138\uc694. \ubaa8\ub4e0 \ub2e8\uc5b4\uac00 \ub4e4\uc5b4 \uc788\ub294 \ud56d\ubaa9\uc774 \uba3c\uc800 \ub098\uc635\ub2c8\ub2e4.",
        addFavorite: "\ud604\uc7ac \ud56d\ubaa9 \ucd94\uac00", remove: "\uc81c\uac70", noFavorites: "\uc990\uaca8\ucc3e\uae30\uac00 \uc5c6\uc2b5\ub2c8\ub2e4.",
        noStorage: "\uc774 \ube0c\ub77c\uc6b0\uc800\ub294 \ub514\uc2a4\ud06c\uc5d0\uc11c \uc5f4\ub9b0 \ud398\uc774\uc9c0\uc758 \uc990\uaca8\ucc3e\uae30\ub97c \uc800\uc7a5\ud558\uc9c0 \uc54a\uc2b5\ub2c8\ub2e4.",
        resize: "\ub04c\uc5b4\uc11c \ud0d0\uc0c9 \ucc3d \ud06c\uae30 \uc870\uc808", skip: "\ud56d\ubaa9\uc73c\ub85c" },
  zh: { contents: "\u76ee\u9304", index: "\u7d22\u5f15", search: "\u641c\u5c0b", favorites: "\u6211\u7684\u6700\u611b",
        showAll: "\u5168\u90e8\u5c55\u958b", hideAll: "\u5168\u90e8\u6536\u5408", previous: "\u4e0a\u4e00\u4e3b\u984c", next: "\u4e0b\u4e00\u4e3b\u984c",
        print: "\u5217\u5370\u4e3b\u984c", filter: "\u8f38\u5165\u95dc\u9375\u5b57", searchFor: "\u641c\u5c0b\u5b57\u8a5e",
        searchButton: "\u641c\u5c0b", noKeywords: "\u6b64\u8aaa\u660e\u6c92\u6709\u7d22\u5f15\u95dc\u9375\u5b57\u3002",
        noMatch: "\u6c92\u6709\u76f8\u7b26\u7684\u95dc\u9375\u5b57\u3002", chooseTopic: "\u6b64\u95dc\u9375\u5b57\u7684\u4e3b\u984c\uff1a",
        results: "\u627e\u5230 %n \u500b\u4e3b\u984c", oneResult: "\u627e\u5230 1 \u500b\u4e3b\u984c", noResults: "\u627e\u4e0d\u5230\u4e3b\u984c\u3002",
        searchHint: "\u8f38\u5165\u4e00\u500b\u6216\u591a\u500b\u5b57\u8a5e\uff1b\u5305\u542b\u5168\u90e8\u5b57\u8a5e\u7684\u4e3b\u984c\u6392\u5728\u524d\u9762\u3002",
        addFavorite: "\u52a0\u5165\u76ee\u524d\u4e3b\u984c", remove: "\u79fb\u9664", noFavorites: "\u5c1a\u7121\u6700\u611b\u7684\u4e3b\u984c\u3002",
        noStorage: "\u6b64\u700f\u89bd\u5668\u4e0d\u6703\u70ba\u5f9e\u78c1\u789f\u958b\u555f\u7684\u7db2\u9801\u4fdd\u7559\u6700\u611b\u3002",
        resize: "\u62d6\u66f3\u4ee5\u8abf\u6574\u5c0e\u89bd\u7a97\u683c\u5927\u5c0f", skip: "\u8df3\u5230\u4e3b\u984c" },
  cn: { contents: "\u76ee\u5f55", index: "\u7d22\u5f15", search: "\u641c\u7d22", favorites: "\u6536\u85cf\u5939",
        showAll: "\u5168\u90e8\u5c55\u5f00", hideAll: "\u5168\u90e8\u6298\u53e0", previous: "\u4e0a\u4e00\u4e3b\u9898", next: "\u4e0b\u4e00\u4e3b\u9898",
        print: "\u6253\u5370\u4e3b\u9898", filter: "\u8f93\u5165\u5173\u952e\u5b57", searchFor: "\u641c\u7d22\u5b57\u8bcd",
        searchButton: "\u641c\u7d22", noKeywords: "\u672c\u5e2e\u52a9\u6ca1\u6709\u7d22\u5f15\u5173\u952e\u5b57\u3002",
        noMatch: "\u6ca1\u6709\u5339\u914d\u7684\u5173\u952e\u5b57\u3002", chooseTopic: "\u6b64\u5173\u952e\u5b57\u7684\u4e3b\u9898\uff1a",
        results: "\u627e\u5230 %n \u4e2a\u4e3b\u9898", oneResult: "\u627e\u5230 1 \u4e2a\u4e3b\u9898", noResults: "\u6ca1\u6709\u627e\u5230\u4e3b\u9898\u3002",
        searchHint: "\u8f93\u5165\u4e00\u4e2a\u6216\u591a\u4e2a\u5b57\u8bcd\uff1b\u5305\u542b\u5168\u90e8\u5b57\u8bcd\u7684\u4e3b\u9898\u6392\u5728\u524d\u9762\u3002",
        addFavorite: "\u6536\u85cf\u5f53\u524d\u4e3b\u9898", remove: "\u5220\u9664", noFavorites: "\u8fd8\u6ca1\u6709\u6536\u85cf\u7684\u4e3b\u9898\u3002",
        noStorage: "\u6b64\u6d4f\u89c8\u5668\u4e0d\u4f1a\u4e3a\u4ece\u78c1\u76d8\u6253\u5f00\u7684\u7f51\u9875\u4fdd\u5b58\u6536\u85cf\u3002",
        resize: "\u62d6\u52a8\u4ee5\u8c03\u6574\u5bfc\u822a\u7a97\u683c\u5927\u5c0f", skip: "\u8df3\u5230\u4e3b\u9898" }
};

// The browser's language as one of the codes above ("se" is Spanish, "zh"
// Traditional and "cn" Simplified Chinese).
function qxBrowserLanguage() {
  var wanted = [];
  try { wanted = (navigator.languages && navigator.languages.length) ? navigator.languages : [navigator.language || ""]; } catch (e) {}
  for (var i = 0; i < wanted.length; i++) {
    var code = String(wanted[i] || "").toLowerCase();
    if (/^zh[-_](tw|hk|mo|hant)/.test(code)) return "zh";
    if (/^zh/.test(code)) return "cn";
    if (/^es/.test(code)) return "se";
    var base = code.split(/[-_]/)[0];
    if (base !== "se" && base !== "cn" && QX_TEXTS[base]) return base;
  }
  return "en";
}

var lang = (typeof lang === "string" && QX_TEXTS[lang]) ? lang : qxBrowserLanguage();

// The text `key` in the viewer's language; "%n" stands for a number.
function qxText(key, number) {
  var table = QX_TEXTS[lang] || QX_TEXTS.en;
  var text = table[key] || QX_TEXTS.en[key] || key;
  return number === undefined ? text : text.replace("%n", String(number));
}

// Fills elements marked data-text (text), data-title (tool tip, also the
// accessible name) and data-placeholder (input hint).
function qxApplyTexts(root) {
  root = root || document;
  var marked = root.querySelectorAll("[data-text],[data-title],[data-placeholder]");
  for (var i = 0; i < marked.length; i++) {
    var element = marked[i];
    if (element.getAttribute("data-text")) element.textContent = qxText(element.getAttribute("data-text"));
    if (element.getAttribute("data-title")) {
      element.title = qxText(element.getAttribute("data-title"));
      element.setAttribute("aria-label", element.title);
    }
    if (element.getAttribute("data-placeholder")) element.placeholder = qxText(element.getAttribute("data-placeholder"));
  }
  try { document.documentElement.lang = { se: "es", zh: "zh-Hant", cn: "zh-Hans" }[lang] || lang; } catch (e) {}
}

// Frames of the viewer talk through messages only: pages opened from disk are
// isolated from each other, so reading another frame's variables would fail.
function qxPost(target, message) {
  try {
    if (!target) return false;
    target.postMessage(message, "*");
    return true;
  } catch (e) {
    return false;
  }
}

// A window of this viewer by its frame names from `start`, e.g.
// qxFrame(parent, "nav", "tree"); null when a frame is missing.
function qxFrame(start) {
  var found = start;
  try {
    for (var i = 1; i < arguments.length && found; i++) found = found.frames[arguments[i]] || null;
  } catch (e) {
    return null;
  }
  return found || null;
}

// Calls `handler(message, source)` for messages of this viewer, that is from
// windows of the same browser tab.
function qxListen(handler) {
  window.addEventListener("message", function (event) {
    var data = event.data;
    if (!data || typeof data !== "object" || typeof data.qx !== "string") return;
    try { if (!event.source || event.source.top !== window.top) return; } catch (e) { return; }
    handler(data, event.source);
  });
}

// A topic address made safe for the content frame: relative, inside the help
// and without a scheme; "" when it is none of these.
function qxSafeTopic(address) {
  address = String(address || "").replace(/\\/g, "/");
  if (!address || /^[a-z][a-z0-9+.-]*:/i.test(address) || address.charAt(0) === "/") return "";
  // A browser takes "%2e%2e" for ".." as well.
  var parts = address.split(/[?#]/)[0].split("/");
  for (var i = 0; i < parts.length; i++) {
    var part = parts[i];
    try { part = decodeURIComponent(part); } catch (e) { part = part.replace(/%2e/gi, "."); }
    if (part === "..") return "";
  }
  return address;
}

// The viewer window: the nearest ancestor holding the frame "content".
function qxViewer() {
  var candidate = window;
  for (var depth = 0; depth < 4 && candidate; depth++) {
    if (qxFrame(candidate, "content")) return candidate;
    try { candidate = candidate === candidate.parent ? null : candidate.parent; } catch (e) { return null; }
  }
  return null;
}

// Tells the viewer which topic a link of the navigation opened.
function qxNavigated(address, title, from) {
  qxPost(qxViewer(), { qx: "navigated", page: String(address), title: String(title || ""), from: from || "" });
}

// Shows a topic in the frame "content" through an ordinary link, which works
// from disk as well as from a server.
function qxOpenTopic(address, title, from) {
  address = qxSafeTopic(address);
  if (!address) return false;
  var link = document.createElement("a");
  link.href = address;
  link.target = "content";
  link.style.display = "none";
  document.body.appendChild(link);
  link.click();
  document.body.removeChild(link);
  qxNavigated(address, title, from);
  return true;
}

// Tab links switch panes inside the navigation pane, or else (the static
// viewer) load the page they name.
function qxTabs() {
  var links = document.querySelectorAll(".tabs a[data-pane]");
  var hosted = false;
  try { hosted = window.parent !== window && /^(tree|index|search|bookmark)$/.test(window.name); } catch (e) {}
  for (var i = 0; i < links.length; i++) {
    // Favorites need the scripted viewer, which knows the topic on show.
    if (!hosted && links[i].getAttribute("data-pane") === "bookmark") links[i].hidden = true;
    links[i].addEventListener("click", function (event) {
      if (!hosted) return;
      event.preventDefault();
      qxPost(window.parent, { qx: "tab", pane: this.getAttribute("data-pane") });
    });
  }
}
