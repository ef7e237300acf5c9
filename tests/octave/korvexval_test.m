% korvexval_test.m: korvexval.mex in Octave: the services against Octave's own computation, each
% kind of rejected call with its message, and the session answering after every one of them.
1;

function ok = check(ok, cond, what)
  if ! cond, printf('FAILED: %s\n', what); ok = false; end
end

addpath(getenv('KORVEX_MEX_DIR'));
ok = true;
% Results to rounding: Octave sums and powers in its own order.
near = @(a, b, tol) isequal(size(a), size(b)) && all(abs(a(:) - b(:)) <= tol * max(1, abs(b(:))));
F = {@(y, m) [3 * y(1)^2 + sum(y(2:m) .^ 2); y(1)^2 + y(2:m) .^ 2], @(y, m) (y(1:m) .^ 3) .^ 2};
x = [0.7; -1.3; 2.1];
V = [1 0.5; 0 -1; 2 0.25];
h = [1e-3 2e-4];
ok = check(ok, korvexval(1, 1, [2; 5]) == 12 && isequal(korvexval(2, 1, [1; 2; 3]), [16; 5; 10]) ...
               && isequal(korvexval(2, 1, [1 + 2i; 2]), [7; 5]), 'services 1 and 2, real parts only');
ok = check(ok, near(korvexval(2.9, 1, x, 2.7, magic(3)), F{1}(x, 2), 1e-15), 'service 2.9, m = 2.7');
ok = check(ok, near(korvexval(2, 2, [2; -1], 2, magic(3)), [64; 1], 1e-15), 'model 2, extra data');
for model = 1:2
  [y, D] = korvexval(3, model, x, V, 3, h);
  Fm = @(y) F{model}(y, 3);
  Dwant = [Fm(x + V(:, 1) * h(1)) - Fm(x), Fm(x + V(:, 2) * h(2)) - Fm(x)] ./ h;
  ok = check(ok, near(y, Fm(x), 1e-15) && near(D, Dwant, 1e-9), sprintf('service 3, model %d', model));
end
ok = check(ok, near(korvexval(3, 1, x, V, 3, h), F{1}(x, 3), 1e-15), 'service 3 with one output');
[y, D] = korvexval(3, 1, [2; -1], zeros(2, 0), 2, []);
ok = check(ok, isequal(y, [13; 5]) && isequal(size(D), [2 0]), 'service 3, p = 0');
% Model 1's Hessian is diag(6, 2, 2); the differences of a quadratic are exact but for rounding.
ok = check(ok, near(korvexval(4, 1, x, V, h, 1, 2), diag([6 2 2]) * V, 1e-5), 'service 4');
clear ans; korvexval(5, 1, 1); korvexval(-1, 1, 1); korvexval(0, 1, 1);
ok = check(ok, ! exist('ans', 'var'), 'services 0, 5, -1 return nothing');

% Rejected calls {nargout, arguments, message}, one of each kind; the session must go on.
bad = {0, {2, 1}, 'At Least 2 Input Arguments Required'
       1, {2, 1, [1; 2], 2, 0, 0}, 'Takes <= 3 Input Arguments'
       0, {2, 1, [1; 2]}, 'funcvalJ takes one output Argument'
       1, {3, 1, [1; 2]}, 'At Least 3 Input Arguments Required'
       1, {3, 1, [1; 2], eye(2), 2, [1 1], 0}, 'Takes <=4 Input Arguments'
       3, {4, 1, [1; 2], eye(2), [1 1]}, 'FDapprox takes <=2 Output Argument'
       0, {}, 'Service Number Required'
       0, {[]}, 'Service Number Must Not Be Empty'
       1, {1, [], [1; 2]}, 'Model Number Must Not Be Empty'
       1, {1, 1, []}, 'x Must Not Be Empty'
       1, {4, 1, 1, eye(2), [1 1]}, 'x Must Hold At Least n Values'
       1, {2, 1, [1; 2], []}, 'm Must Not Be Empty'
       1, {2, 1, [1; 2], -1}, 'm Must Not Be Negative'
       1, {2, 2, [1; 2], 3}, 'm Must Not Exceed n'  % model 2 would end the session past it
       2, {3, 2, [1; 2], eye(2), 3, [1 1]}, 'm Must Not Exceed n'
       2, {3, 1, [1; 2], eye(2), 2}, 'Step Vector h Required'
       2, {3, 1, [1; 2], eye(2), 2, 1}, 'h Must Hold At Least p Values'
       1, {2, 1, zeros(2^31, 0)}, 'Input Too Large'
       % Inputs that are no full double matrices are never read (large ones used to crash).
       1, {2, 1, sparse(3e7, 1)}, 'Inputs Must Be Full Double Matrices'
       1, {2, 1, zeros(3e7, 1, 'int8')}, 'Inputs Must Be Full Double Matrices'
       1, {2, 1, true(3e7, 1)}, 'Inputs Must Be Full Double Matrices'
       1, {2, 1, single([1; 2])}, 'Inputs Must Be Full Double Matrices'
       1, {2, 1, 'ab'}, 'Inputs Must Be Full Double Matrices'
       1, {2, 1, {[1; 2]}}, 'Inputs Must Be Full Double Matrices'
       1, {int8(2), 1, [1; 2]}, 'Inputs Must Be Full Double Matrices'
       1, {1, 1, [1; 2], uint16(1)}, 'Inputs Must Be Full Double Matrices'
       2, {3, 1, [1; 2], eye(2), 2, single([1 1])}, 'Inputs Must Be Full Double Matrices'
       1, {4, 1, [1; 2], sparse(eye(2)), [1 1]}, 'Inputs Must Be Full Double Matrices'};
for r = 1:rows(bad)
  [nout, args, want] = bad{r, :};
  out = cell(1, nout);
  msg = '';
  try
    if nout == 0, korvexval(args{:}); else [out{:}] = korvexval(args{:}); end
  catch err
    msg = err.message;
  end
  ok = check(ok, strcmp(msg, ['korvexval: ' want]), sprintf('row %d: got "%s"', r, msg));
  ok = check(ok, isequal(korvexval(2, 1, [1; 2; 3]), [16; 5; 10]) && ...
                 isequal(korvexval(2, 2, [1; 2]), [1; 64]), sprintf('session after row %d', r));
end

% A runtime fault inside a call comes back as the call's error: with the session's address space
% limited to 64 MiB more than it holds, model 2 cannot copy a point of 2^24 values, while model
% 1, which allocates nothing, answers under the same limit. Ten correct calls follow.
faulted = false;
if system('command -v prlimit >/dev/null') == 0
  x = ones(2^24, 1);
  vmsize = str2double(regexp(fileread('/proc/self/status'), 'VmSize:\s*(\d+)', 'tokens', 'once'));
  limit = @(as) system(sprintf('prlimit --pid %d --as=%s:', getpid(), as));
  ok = check(ok, limit(sprintf('%d', (vmsize + 65536) * 1024)) == 0, 'prlimit');
  ok = check(ok, korvexval(1, 1, x) == 3, 'model 1 under the limit');
  msg = '';
  try
    korvexval(1, 2, x);
  catch err
    msg = err.message;
  end
  ok = check(ok, strcmp(msg, 'korvexval: Out of memory'), sprintf('model 2 out of memory: "%s"', msg));
  for k = 1:10
    ok = check(ok, isequal(korvexval(2, 2, [1; 2]), [1; 64]) && korvexval(1, 1, [2; 5]) == 12, ...
               sprintf('call %d after the fault', k));
  end
  limit('unlimited');
  clear x;
  faulted = true;
else
  printf('prlimit not found: the out-of-memory call is not tried\n');
end

if ! ok, exit(1); end
fault_text = {'', ', and a runtime fault'}{faulted + 1};
printf('korvexval: all checks passed (%d rejected calls survived%s)\n', rows(bad), fault_text);
