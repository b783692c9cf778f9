;;; Loaded by the host when a drawing opens (from the drawing's folder, else
;;; from the folder the host runs in): makes the lot commands available.
(load "lots.lsp")
(princ "\nLOTS numbers the site's lots; LOTSAGAIN reopens the last table;\nLOTSDEMO opens a table of three rows to try the grid on.\n")
(princ)
