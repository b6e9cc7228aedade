// Pictures are named from the script's own folder.
var spinner = '../images/spinner.gif';
