;;; lots.lsp -- numbers the lots of a subdivision plan with LOTDIALOG's table.
;;;
;;; LOTS       finds the lot layers of the drawing (the LAYER entries named
;;;            LOT-*), counts the closed polylines on each, and opens the lot
;;;            table, starting from the table confirmed last (kept in the
;;;            drawing). After OK it writes the lot numbers onto the lots and
;;;            reports them on the command line.
;;; LOTSAGAIN  reopens the table exactly as it was last confirmed and, after
;;;            OK, numbers the lots the same way.
;;; LOTSDEMO   opens the table on three rows to try the grid on: the second
;;;            row has no type yet (OK says "Type is absent"), the third
;;;            starts after a gap; after OK it shows the rows confirmed.
;;;
;;; How the lots are numbered. The rows go in the table's order; each row's
;;; lots are numbered on from the row's first number. The "*" row takes the
;;; lots of every layer that no row above it names, layer by layer in the
;;; order of the layer list (alphabetical). Within a layer the lots go in
;;; order along their street: along the line that joins the two lot centres
;;; of the layer farthest apart (found the usual quick way: the centre
;;; farthest from the first, then the one farthest from that), from the end
;;; nearer the drawing's lower left corner.
;;;
;;; Each numbered lot gets its number as a TEXT on the layer LOT-NUMBERS,
;;; centred at a point inside the lot and far from its edges (the centroid
;;; of a convex lot, or of one where it lies well inside; else, as for an
;;; L-shaped lot whose centroid lies outside it, the middle of one of its
;;; arms), as high as the lot leaves room for; below it the row's lot type,
;;; smaller, on LOT-TYPES. Numbers placed before on those two layers are
;;; removed first, so a lot never carries two numbers. Cancel changes
;;; nothing. The command line then tells, row by row, how many lots were
;;; numbered and with which numbers.
;;;
;;; The confirmed table is kept in the drawing, in the named object
;;; dictionary under LOTGRID_LOT_TABLE, and saved with it. A drawing of
;;; AutoCAD R12 has no dictionaries: there the table lasts for the session.

;; The table of drawings that cannot keep one.
(setq *lots-session-rows* nil)
(setq *lots-table-key* "LOTGRID_LOT_TABLE")

(defun lots-types () '("Detached" "Semi-detached" "Terraced" "Commercial"))

;;; --- The drawing's lot layers and lots -----------------------------------

;; The LAYER entries named LOT-*, but the layers the numbers go to.
(defun lots-layers (/ entry name layers)
  (setq entry (tblnext "LAYER" T))
  (while entry
    (setq name (cdr (assoc 2 entry)))
    (if (and (wcmatch (strcase name) "LOT-*")
             (not (member (strcase name) '("LOT-NUMBERS" "LOT-TYPES"))))
      (setq layers (cons name layers)))
    (setq entry (tblnext "LAYER")))
  (vl-sort layers '<))

;; The closed polylines on the lot layers, grouped by layer: a list of
;; (LAYER ename ...), the layer's name in upper case (ssget matches names
;; without regard to case). One walk over one selection set: a set for each
;; layer would walk the whole drawing once a layer.
(defun lots-groups (/ set i e key run runs groups)
  (if (setq set (ssget "X" '((0 . "LWPOLYLINE,POLYLINE") (8 . "LOT-*") (-4 . "&") (70 . 1))))
    (progn
      (setq i 0)
      (repeat (sslength set)
        (setq e (ssname set i) i (1+ i) key (strcase (cdr (assoc 8 (entget e)))))
        (if (equal key (car run))
          (setq run (cons key (cons e (cdr run))))
          (setq runs (if run (cons run runs) runs) run (list key e))))
      ;; A drawing may draw the lots of its layers in turns: the runs of
      ;; one layer are joined.
      (foreach run (vl-sort (cons run runs) '(lambda (a b) (< (car a) (car b))))
        (if (equal (car run) (car (car groups)))
          (setq groups (cons (cons (car run) (append (cdr run) (cdr (car groups)))) (cdr groups)))
          (setq groups (cons run groups))))
      groups)))

;; The lots of one layer: a list of entity names.
(defun lots-of (layer groups)
  (cdr (assoc (strcase layer) groups)))

(defun lots-count (layer groups)
  (itoa (length (lots-of layer groups))))

;;; --- The table kept in the drawing ---------------------------------------

(defun lots-saved-rows (/ dictionary record rows texts)
  (if (setq dictionary (namedobjdict))
    (progn
      (if (setq record (dictsearch dictionary *lots-table-key*))
        (progn
          (foreach pair record
            (if (= (car pair) 1) (setq texts (cons (cdr pair) texts))))
          (setq texts (reverse texts))
          (while (>= (length texts) 4)
            (setq rows (cons (list (nth 0 texts) (nth 1 texts) (nth 2 texts) (nth 3 texts)) rows)
                  texts (cdr (cdr (cdr (cdr texts))))))
          (reverse rows))))
    *lots-session-rows*))

(defun lots-keep-rows (rows / dictionary data)
  (setq *lots-session-rows* rows)
  (if (setq dictionary (namedobjdict))
    (progn
      (dictremove dictionary *lots-table-key*)
      (setq data (list '(0 . "XRECORD") '(100 . "AcDbXrecord") (cons 70 (length rows))))
      (foreach row rows
        (foreach text row (setq data (append data (list (cons 1 text))))))
      (dictadd dictionary *lots-table-key* (entmakex data)))))

;;; --- Geometry of one lot -------------------------------------------------
;;
;; Outlines are lists of (x y) points, and the arithmetic over them is done
;; a whole list at a time (mapcar with the built-in operators): a plan of ten
;; thousand lots is numbered in about a second that way, where a loop over
;; the points took ten.

;; The (x y) points of a closed polyline, arcs (bulges) as chords.
(defun lots-outline (ename / data p out next vertex)
  (setq data (entget ename))
  (cond
    ((/= (cdr (assoc 0 data)) "LWPOLYLINE")
     ;; An old-style POLYLINE: its vertices follow it as VERTEX entities.
     (setq next (entnext ename))
     (while (and next (= (cdr (assoc 0 (setq vertex (entget next)))) "VERTEX"))
       (setq p (assoc 10 vertex)
             out (cons (list (cadr p) (caddr p) (if (assoc 42 vertex) (cdr (assoc 42 vertex)) 0.0))
                       out)
             next (entnext next)))
     (lots-flatten (reverse out)))
    ((assoc 42 data)
     ;; A vertex's bulge follows its point.
     (foreach pair data
       (cond ((= (car pair) 10) (setq out (cons (list (cadr pair) (caddr pair) 0.0) out)))
             ((= (car pair) 42)
              (setq out (cons (list (car (car out)) (cadr (car out)) (cdr pair)) (cdr out))))))
     (lots-flatten (reverse out)))
    ((= (length (setq p (member (assoc 10 data) data))) (cdr (assoc 90 data)))
     ;; Nothing but the points after the first: the usual case.
     (mapcar 'cdr p))
    (t
     (while (setq p (member (assoc 10 p) p))
       (setq out (cons (cdr (car p)) out) p (cdr p)))
     (reverse out))))

;; (x y bulge) vertices of a closed outline to (x y) points, arcs as chords.
(defun lots-flatten (vertices / out here there b k chord sweep r cx cy a0 mx my nx ny h)
  (setq k 0)
  (foreach here vertices
    (setq there (nth (rem (setq k (1+ k)) (length vertices)) vertices)
          b (caddr here)
          out (cons (list (car here) (cadr here)) out))
    (if (and (/= b 0.0) (not (and (= (car here) (car there)) (= (cadr here) (cadr there)))))
      (progn
        ;; the arc's centre lies on the chord's perpendicular bisector
        (setq chord (distance (list (car here) (cadr here)) (list (car there) (cadr there)))
              sweep (* 4.0 (atan b))
              r (/ chord (* 2.0 (sin (/ (abs sweep) 2.0))))
              mx (/ (+ (car here) (car there)) 2.0)
              my (/ (+ (cadr here) (cadr there)) 2.0)
              nx (/ (- (cadr here) (cadr there)) chord)
              ny (/ (- (car there) (car here)) chord)
              h (* r (cos (/ sweep 2.0)) (if (> b 0) 1.0 -1.0))
              cx (+ mx (* nx h))
              cy (+ my (* ny h))
              a0 (angle (list cx cy) (list (car here) (cadr here))))
        (foreach f '(0.25 0.5 0.75)
          (setq out (cons (polar (list cx cy) (+ a0 (* f sweep)) r) out))))))
  (reverse out))

;; A list as long as items, every item v.
(defun lots-fill (v items)
  (subst v nil (mapcar 'not items)))

;; A list turned by one: its first item last.
(defun lots-turn (items)
  (append (cdr items) (list (car items))))

;; What lots-probe needs of an outline: (xs ys dx dy squared-lengths zeros
;; ones), the edges running from each point to the next.
(defun lots-shape (xs ys / dx dy zeros)
  (setq dx (mapcar '- (lots-turn xs) xs)
        dy (mapcar '- (lots-turn ys) ys)
        zeros (mapcar '- xs xs))
  ;; An edge of no length (a point repeated) divides by one instead.
  (list xs ys dx dy (subst 1.0 0.0 (mapcar '+ (mapcar '* dx dx) (mapcar '* dy dy)))
        zeros (subst 1.0 0.0 zeros)))

;; ((x y) clearance) when (x y) lies inside the outline, else nil. The
;; clearance is the distance to the nearest edge; the point is inside when
;; the edges wind around it, their angles seen from it adding up to a turn.
(defun lots-probe (x y shape / zeros rx ry rx2 ry2 u ex ey)
  (setq zeros (nth 5 shape)
        rx (mapcar '- (car shape) (subst x 0.0 zeros))
        ry (mapcar '- (cadr shape) (subst y 0.0 zeros))
        rx2 (lots-turn rx)
        ry2 (lots-turn ry))
  (if (> (abs (apply '+ (mapcar 'atan (mapcar '- (mapcar '* rx ry2) (mapcar '* ry rx2))
                                (mapcar '+ (mapcar '* rx rx2) (mapcar '* ry ry2)))))
         pi)
    (progn
      ;; the nearest point of each edge, as a fraction along it
      (setq u (mapcar 'max zeros
                      (mapcar 'min (nth 6 shape)
                              (mapcar '/ (mapcar '- (mapcar '+ (mapcar '* rx (caddr shape))
                                                              (mapcar '* ry (nth 3 shape))))
                                      (nth 4 shape))))
            ex (mapcar '+ rx (mapcar '* u (caddr shape)))
            ey (mapcar '+ ry (mapcar '* u (nth 3 shape))))
      (list (list x y) (sqrt (apply 'min (mapcar '+ (mapcar '* ex ex) (mapcar '* ey ey))))))))

;; Where the number goes, and the room around it: ((x y) clearance).
;; For a convex lot (most are) the centroid, which lies inside it, and the
;; distance to the nearest edge's line, which is the nearest edge. Else the
;; centroid when it lies well inside (as far from the edges as a rectangle's
;; centre is, measured by area over perimeter); else, as for an L-shaped lot
;; whose centroid lies outside it or near its inner corner, a point as far
;; in from the sides of one of its corners as half the shorter side.
(defun lots-label-point (points / xs ys xs2 ys2 w a cx cy dx dy turns squares shape best try
                                lens ux uy reach corners)
  (setq xs (mapcar 'car points) ys (mapcar 'cadr points)
        xs2 (lots-turn xs) ys2 (lots-turn ys)
        w (mapcar '- (mapcar '* xs ys2) (mapcar '* xs2 ys))
        a (apply '+ w))
  (if (< (abs a) 1e-12)
    (list (list (car xs) (car ys)) 0.0)
    (progn
      (setq cx (/ (apply '+ (mapcar '* w (mapcar '+ xs xs2))) (* 3.0 a))
            cy (/ (apply '+ (mapcar '* w (mapcar '+ ys ys2))) (* 3.0 a))
            dx (mapcar '- xs2 xs)
            dy (mapcar '- ys2 ys)
            squares (mapcar '+ (mapcar '* dx dx) (mapcar '* dy dy))
            turns (mapcar '- (mapcar '* dx (lots-turn dy)) (mapcar '* dy (lots-turn dx))))
      (cond
        ((and (or (>= (apply 'min turns) 0.0) (<= (apply 'max turns) 0.0))
              (not (member 0.0 squares)))
         (list (list cx cy)
               (apply 'min (mapcar 'abs (mapcar '/ (mapcar '- (mapcar '* dx (mapcar '- ys (lots-fill cy xs)))
                                                             (mapcar '* dy (mapcar '- xs (lots-fill cx xs))))
                                                (mapcar 'sqrt squares))))))
        ((and (setq shape (lots-shape xs ys) best (lots-probe cx cy shape))
              (>= (cadr best) (* 0.45 (abs a) (/ 1.0 (apply '+ (mapcar 'sqrt squares))))))
         best)
        (t
         ;; At each corner, the point as far in from both sides as half the
         ;; shorter side: the middle of a rectangle's end, of an L's arm.
         (setq lens (mapcar 'sqrt (subst 1.0 0.0 squares))
               ux (mapcar '/ dx lens)
               uy (mapcar '/ dy lens)
               reach (mapcar '* (mapcar 'min lens (lots-turn lens)) (lots-fill 0.5 lens))
               corners (mapcar 'list
                               (mapcar '+ xs2 (mapcar '* reach (mapcar '- (lots-turn ux) ux)))
                               (mapcar '+ ys2 (mapcar '* reach (mapcar '- (lots-turn uy) uy)))))
         ;; The corner of the longest reach that turns with the outline
         ;; (not an inner corner) first, the others only when it is outside.
         (setq try (lots-probe-point (cdr (assoc (apply 'max (setq reach (mapcar '(lambda (r turn) (if (> (* turn a) 0.0) r 0.0)) reach turns)))
                                                 (mapcar 'cons reach corners)))
                                     shape))
         (if try
           (if (or (null best) (> (cadr try) (cadr best))) try best)
           (progn
             (foreach corner corners
               (if (and (setq try (lots-probe-point corner shape))
                        (or (null best) (> (cadr try) (cadr best))))
                 (setq best try)))
             (if best best (list (list (car xs) (car ys)) 0.0)))))))))

(defun lots-probe-point (point shape)
  (lots-probe (car point) (cadr point) shape))

;;; --- Numbering -------------------------------------------------------------

;; Of the points, the one farthest from p.
(defun lots-farthest (p points / far)
  (setq far (mapcar 'distance points (lots-fill p points)))
  (cdr (assoc (apply 'max far) (mapcar 'cons far points))))

;; The lots of a layer in order along their street, each as
;; (ename (x y) clearance).
(defun lots-in-order (enames / lots points a b swap keys sorted)
  (if enames
    (progn
      (setq lots (mapcar '(lambda (e) (cons e (lots-label-point (lots-outline e)))) enames)
            points (mapcar 'cadr lots)
            ;; The two centres farthest apart: the one farthest from the
            ;; first, then the one farthest from that.
            a (lots-farthest (car points) points)
            b (lots-farthest a points))
      (if (> (+ (car a) (cadr a)) (+ (car b) (cadr b)))
        (setq swap a a b b swap))
      ;; Each lot's distance along the line from a to b.
      (setq keys (mapcar '+
                         (mapcar '* (mapcar '- (mapcar 'car points) (lots-fill (car a) points))
                                 (lots-fill (- (car b) (car a)) points))
                         (mapcar '* (mapcar '- (mapcar 'cadr points) (lots-fill (cadr a) points))
                                 (lots-fill (- (cadr b) (cadr a)) points)))
            sorted (vl-sort keys '<))
      (if (= (length sorted) (length keys))
        ;; No two lots at the same distance: the numbers sort alone, and
        ;; each finds its lot again.
        (mapcar 'cdr (mapcar 'assoc sorted (lots-fill (mapcar 'cons keys lots) points)))
        (mapcar 'cdr (vl-sort (mapcar 'cons keys lots) '(lambda (p q) (< (car p) (car q)))))))))

;; The number of a lot, and its type below it, inside the lot.
(defun lots-write (lot number type / x y h)
  (setq x (car (cadr lot)) y (cadr (cadr lot)) h (max 1e-3 (* 0.45 (caddr lot))))
  (entmake (list '(0 . "TEXT") '(8 . "LOT-NUMBERS") (list 10 x y 0.0)
                 (list 11 x (+ y (* 0.25 h)) 0.0) (cons 40 h) (cons 1 (itoa number))
                 '(72 . 1) '(73 . 2)))
  (if (/= type "")
    (entmake (list '(0 . "TEXT") '(8 . "LOT-TYPES") (list 10 x y 0.0)
                   (list 11 x (- y (* 0.4 h)) 0.0) (cons 40 (* 0.4 h)) (cons 1 type)
                   '(72 . 1) '(73 . 3)))))

;; Removes the numbers and types placed before.
(defun lots-clear (/ old i)
  (if (setq old (ssget "X" '((0 . "TEXT") (8 . "LOT-NUMBERS,LOT-TYPES"))))
    (progn
      (setq i 0)
      (repeat (sslength old)
        (entdel (ssname old i))
        (setq i (1+ i))))))

;; Numbers the lots by the rows; answers one (layer count first last) a row.
(defun lots-number (rows layers groups / named report layer type n count)
  (lots-clear)
  (foreach row rows
    (setq layer (car row) type (caddr row) n (atoi (nth 3 row)) count 0)
    (foreach name (if (= layer "*")
                    (vl-remove-if '(lambda (l) (member (strcase l) named)) layers)
                    (list layer))
      (foreach lot (lots-in-order (lots-of name groups))
        (lots-write lot n type)
        (setq n (1+ n) count (1+ count))))
    (if (/= layer "*") (setq named (cons (strcase layer) named)))
    (setq report (cons (list layer count (atoi (nth 3 row)) (1- n)) report)))
  (reverse report))

;;; --- Commands ------------------------------------------------------------

;; The rows of a LOTDIALOG answer. A short table comes wrapped in one more
;; list, and a table whose only row is followed by rows without a layer comes
;; as that one row itself.
(defun lots-rows (answer)
  (cond ((eq (type (car answer)) 'STR) (list answer))
        ((listp (car (car answer))) (car answer))
        (t answer)))

(defun lots-pad (text width)
  (while (< (strlen text) width) (setq text (strcat text " ")))
  text)

(defun lots-report (rows)
  (princ "\nLayer                Lots  Type            First number")
  (foreach row rows
    (princ (strcat "\n" (lots-pad (car row) 21) (lots-pad (cadr row) 6)
                   (lots-pad (caddr row) 16) (nth 3 row))))
  (princ))

(defun lots-numbered (numbered / total)
  (setq total 0)
  (foreach row numbered (setq total (+ total (cadr row))))
  (princ (strcat "\nNumbered " (itoa total) " lots:"))
  (foreach row numbered
    (princ (strcat "\n  " (lots-pad (car row) 21) (lots-pad (itoa (cadr row)) 6)
                   (if (> (cadr row) 0)
                     (strcat "numbers " (itoa (caddr row)) " to " (itoa (nth 3 row)))
                     "no lots"))))
  (princ))

;; After OK: the table kept, the lots numbered, both reported.
(defun lots-apply (answer layers groups / rows)
  (cond
    ((null answer) (princ "\nLot numbering cancelled."))
    ((listp answer)
     (setq rows (lots-rows answer))
     (lots-keep-rows rows)
     (lots-report rows)
     (lots-numbered (lots-number rows layers groups))))
  (princ))

(defun c:lots (/ layers groups)
  (setq layers (lots-layers) groups (lots-groups))
  (lots-apply (lotdialog layers (lots-types)
                         (mapcar '(lambda (layer) (lots-count layer groups)) layers)
                         (lots-saved-rows))
              layers groups))

(defun c:lotsagain ()
  (lots-apply (lotdialog) (lots-layers) (lots-groups)))

(defun c:lotsdemo (/ layers groups counts answer)
  (setq layers (lots-layers) groups (lots-groups)
        counts (mapcar '(lambda (layer) (lots-count layer groups)) layers))
  (if (< (length layers) 3)
    (princ "\nLOTSDEMO needs a drawing with three lot layers (LOT-*).")
    (progn
      (setq answer
        (lotdialog layers (lots-types) counts
                   (list (list (nth 0 layers) (nth 0 counts) "Detached" "1")
                         (list (nth 1 layers) (nth 1 counts) "" (itoa (1+ (atoi (nth 0 counts)))))
                         (list (nth 2 layers) (nth 2 counts) "Terraced"
                               (itoa (+ 5 (atoi (nth 0 counts)) (atoi (nth 1 counts))))))))
      (if (and answer (listp answer)) (lots-report (lots-rows answer)))))
  (princ))

(princ)
